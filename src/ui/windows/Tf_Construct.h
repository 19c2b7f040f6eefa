#pragma once

#include <QWidget>

class TessivarCore;

class Tf_Construct : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_Construct(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
