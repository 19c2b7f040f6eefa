#pragma once

#include "hub/HubClient.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
struct GameState;

// The new order form: a modal form that composes one order for the hub,
// filled from the own carrier. It keeps nothing between uses; the contracts
// window creates one per order.
class Tf_KVN_add : public QDialog
{
    Q_OBJECT
public:
    explicit Tf_KVN_add(const GameState& state, QWidget* parent = nullptr);

    QCheckBox* ch_zgoda = nullptr;
    QLabel* cmdr_name = nullptr;
    QLineEdit* carrier_name = nullptr;
    QLabel* carrier_id = nullptr;
    QLineEdit* carrier_location = nullptr;
    QRadioButton* typ_demand = nullptr;
    QRadioButton* typ_unload = nullptr;
    QComboBox* commodity_name = nullptr;
    QSpinBox* count = nullptr;
    QSpinBox* avg = nullptr;
    QPushButton* btn_add = nullptr;
    QPushButton* btn_cancel = nullptr;
    // Why ADD was refused, naming the field; hidden while there is nothing to say.
    QLabel* label_problem = nullptr;

    // The order as the fields give it now.
    HubClient::NewOrder order() const;
    // What keeps the order from being sent (an empty or untouched carrier
    // name, an unknown location, a heading for a commodity, a count or
    // percentage of 0 or less), or empty text when it can go.
    QString problem() const;
    // ADD: ends the form when the order can go, else shows the problem.
    void btn_addClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void ch_zgodaClick(bool checked);

    const GameState& m_state;
};
