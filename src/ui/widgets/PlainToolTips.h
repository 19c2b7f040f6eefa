#pragma once

#include <QObject>

// Shows every tool tip of the program as plain text. Qt takes a tool tip for
// rich text as soon as it merely looks like markup, and tool tips carry
// texts from the journal (the log view shows each raw line as its tip), the
// hub and the phone. Installed on the application, it answers the tool-tip
// events of widgets and of item views' cells with the text escaped.
class PlainToolTips : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The text as a tool tip that shows it literally.
    static QString escaped(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
