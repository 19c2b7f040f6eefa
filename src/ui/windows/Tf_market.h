#pragma once

#include <QWidget>

class TessivarCore;

class Tf_market : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_market(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
