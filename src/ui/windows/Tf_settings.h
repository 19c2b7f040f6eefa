#pragma once

#include <QWidget>

class TessivarCore;

class Tf_settings : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_settings(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
