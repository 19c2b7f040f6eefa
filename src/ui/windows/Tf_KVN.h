#pragma once

#include <QWidget>

class TessivarCore;

class Tf_KVN : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_KVN(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
