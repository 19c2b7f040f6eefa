#pragma once

#include <QWidget>

class TessivarCore;

class Tf_statek : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_statek(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
