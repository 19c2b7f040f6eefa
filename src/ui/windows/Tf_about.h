#pragma once

#include <QWidget>

class TessivarCore;

class Tf_about : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_about(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
