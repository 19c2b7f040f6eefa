#pragma once

#include <QWidget>

class TessivarCore;

class Tf_KVN_add : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_KVN_add(TessivarCore& core, QWidget* parent = nullptr);

private:
    TessivarCore& m_core;
};
