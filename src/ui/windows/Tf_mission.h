#pragma once

#include <QWidget>

class TessivarCore;

class Tf_mission : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_mission(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
