#pragma once

#include <QWidget>

class Tf_send_to_mobile : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_send_to_mobile(QWidget* parent = nullptr);
};
