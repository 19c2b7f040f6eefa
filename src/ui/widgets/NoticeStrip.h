#pragma once

#include <QWidget>

class NoticeModel;
class QLabel;
class QToolButton;

// The main window's message strip: one line with the newest failure that
// happened on its own (its repeats counted), the others in its tooltip, and a
// button that dismisses them. Hidden while there is nothing to say, and never
// taller than one line, however many failures came.
class NoticeStrip : public QWidget
{
    Q_OBJECT
public:
    explicit NoticeStrip(NoticeModel& notices, QWidget* parent = nullptr);

    QLabel* label_notice = nullptr;
    QToolButton* btn_dismiss = nullptr;

    // The full text of the shown line, before eliding.
    QString lineText() const { return m_line; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void elide();

    NoticeModel& m_notices;
    QString m_line;
};
