#pragma once

#include <QWidget>

class TessivarCore;

class Tf_send_to_mobile : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_send_to_mobile(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
