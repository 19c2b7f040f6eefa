#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QPushButton;
class WebShare;

// The main window's "Share to browser" group: the switch, its "this computer
// only" option, the page's address with its QR code and "New address".
class WebSharePanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit WebSharePanel(WebShare& share, QWidget* parent = nullptr);

    QCheckBox* ch_share = nullptr;
    QCheckBox* ch_local_only = nullptr;
    QLabel* label_address = nullptr;
    QLabel* image_qr = nullptr;
    QPushButton* btn_new_address = nullptr;

    void refresh();

private:
    WebShare& m_share;
};
