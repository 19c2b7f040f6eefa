#pragma once

#include <QWidget>

class TessivarCore;

class Tf_BGS : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_BGS(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
