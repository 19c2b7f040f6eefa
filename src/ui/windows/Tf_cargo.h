#pragma once

#include <QWidget>

class TessivarCore;

class Tf_cargo : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_cargo(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
