#include "widgets/WebSharePanel.h"

#include "web/WebShare.h"
#include "widgets/QrCodeImage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

WebSharePanel::WebSharePanel(WebShare& share, QWidget* parent)
    : QGroupBox(WebSharePanel::tr("Share to browser:"), parent), m_share(share)
{
    setObjectName(QStringLiteral("group_web_share"));
    auto* l = new QGridLayout(this);
    ch_share = new QCheckBox(WebSharePanel::tr("Share to browser"), this);
    ch_share->setObjectName(QStringLiteral("ch_web_share"));
    ch_share->setToolTip(
        WebSharePanel::tr("Show the loading list, construction and dock info on a phone's browser"));
    ch_local_only = new QCheckBox(WebSharePanel::tr("this computer only"), this);
    ch_local_only->setObjectName(QStringLiteral("ch_web_local_only"));
    label_address = new QLabel(this);
    label_address->setObjectName(QStringLiteral("label_web_address"));
    label_address->setTextFormat(Qt::PlainText);
    label_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    image_qr = new QLabel(this);
    image_qr->setObjectName(QStringLiteral("image_web_qr"));
    btn_new_address = new QPushButton(WebSharePanel::tr("New address"), this);
    btn_new_address->setObjectName(QStringLiteral("btn_web_new_address"));
    btn_new_address->setToolTip(WebSharePanel::tr("Make a new secret address; the old one stops working"));
    l->addWidget(ch_share, 0, 0);
    l->addWidget(ch_local_only, 1, 0);
    l->addWidget(btn_new_address, 2, 0);
    // The whole address on one line: it is read and typed as it stands.
    l->addWidget(label_address, 3, 0);
    l->addWidget(image_qr, 0, 1, 4, 1, Qt::AlignTop);
    l->setRowStretch(3, 1);

    connect(ch_share, &QCheckBox::clicked, &share, &WebShare::setShared);
    connect(ch_local_only, &QCheckBox::clicked, &share, &WebShare::setLocalOnly);
    connect(btn_new_address, &QPushButton::clicked, &share, &WebShare::renewToken);
    connect(&share, &WebShare::changed, this, &WebSharePanel::refresh);
    refresh();
}

void WebSharePanel::refresh()
{
    ch_share->setChecked(m_share.isShared());
    ch_local_only->setChecked(m_share.isLocalOnly());
    btn_new_address->setEnabled(m_share.isShared());
    const QString address = m_share.address();
    label_address->setText(address.isEmpty() ? m_share.problem() : address);
    const QImage qr = address.isEmpty() ? QImage() : qrCodeImage(address, 2);
    image_qr->setPixmap(QPixmap::fromImage(qr));
    image_qr->setVisible(!qr.isNull());
}
