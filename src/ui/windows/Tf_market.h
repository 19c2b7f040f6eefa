#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;
class MarketModule;

// The market window: the commodities of the station's market with demand or
// stock, from the core's market grid.
class Tf_market : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_market(MarketModule& market, QWidget* parent = nullptr);

    QTableView* sg_Market = nullptr;
    QLabel* label_market_info = nullptr;
    QPushButton* btn_close = nullptr;

public slots:
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    MarketModule& m_market;
};
