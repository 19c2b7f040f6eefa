#pragma once

#include <QWidget>

class TessivarCore;

class Tf_DB : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_DB(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
