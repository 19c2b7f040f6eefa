#pragma once

#include <QWidget>

class Tf_statek : public QWidget
{
    Q_OBJECT
public:
    explicit Tf_statek(QWidget* parent = nullptr);
};
