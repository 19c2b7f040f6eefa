#pragma once

#include <QLabel>

// A one-line plain-text label that may be narrower than its text: it then
// draws the text cut with "…" and offers the whole text as its tooltip.
// text() always returns the whole text, so a long station name never pushes
// its window wider than the screen.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // True while the text does not fit and is drawn cut.
    bool isElided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* e) override;

private:
    void updateToolTip();
    bool m_ownToolTip = false;
};
