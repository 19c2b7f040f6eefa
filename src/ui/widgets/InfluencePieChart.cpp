#include "widgets/InfluencePieChart.h"

#include "common/NumberFormat.h"

#include <QChart>
#include <QGraphicsItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLinearGradient>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QtMath>
#include <algorithm>

namespace {

constexpr double kPieSize = 0.7;
const QColor kCalloutText(159, 0, 0);
const QColor kCalloutFrame(255, 128, 0);

QFont calloutFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(11);
    f.setBold(true);
    f.setItalic(true);
    return f;
}

}  // namespace

// A box with the slice's name, shaded red to yellow, joined to its slice by a line.
class CalloutItem : public QGraphicsItem
{
public:
    explicit CalloutItem(QString text, QGraphicsItem* parent = nullptr)
        : QGraphicsItem(parent), m_text(std::move(text)), m_shown(m_text), m_font(calloutFont())
    {
        setMaxWidth(1e6);
    }

    const QString& text() const { return m_text; }
    QSizeF boxSize() const { return m_box.size(); }
    double fullWidth() const { return QFontMetricsF(m_font).horizontalAdvance(m_text) + 10; }

    // A name too long for the room beside the pie ends in an ellipsis.
    void setMaxWidth(double width)
    {
        const QFontMetricsF fm(m_font);
        prepareGeometryChange();
        m_shown = fm.elidedText(m_text, Qt::ElideRight, std::max(20.0, width - 10));
        m_box = QRectF(0, 0, fm.horizontalAdvance(m_shown) + 10, fm.height() + 4);
    }

    // anchor: point on the slice's rim; box: top-left of the box in scene coordinates.
    void place(QPointF anchor, QPointF box)
    {
        prepareGeometryChange();
        m_anchor = anchor - box;
        setPos(box);
    }

    QRectF boundingRect() const override
    {
        return m_box.united(QRectF(m_anchor, QSizeF(1, 1))).adjusted(-2, -2, 2, 2);
    }

    void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(QPen(kCalloutFrame, 1));
        const QPointF joint(m_anchor.x() < m_box.center().x() ? m_box.left() : m_box.right(),
                            m_box.center().y());
        p->drawLine(m_anchor, joint);
        QLinearGradient g(m_box.topLeft(), m_box.bottomLeft());
        g.setColorAt(0, QColor(255, 0, 0));
        g.setColorAt(0.5, QColor(243, 128, 12));
        g.setColorAt(1, QColor(255, 255, 0));
        p->setBrush(g);
        p->drawRoundedRect(m_box, 3, 3);
        p->setFont(m_font);
        p->setPen(kCalloutText);
        // Drawn as plain text: names come from the journal.
        p->drawText(m_box, Qt::AlignCenter | Qt::TextSingleLine, m_shown);
    }

private:
    QString m_text;
    QString m_shown;
    QFont m_font;
    QRectF m_box;
    QPointF m_anchor;
};

InfluencePieChart::InfluencePieChart(QWidget* parent) : QChartView(parent)
{
    auto* chart = new QChart;
    chart->setBackgroundBrush(Qt::black);
    chart->setBackgroundRoundness(0);
    chart->setTitle(InfluencePieChart::tr("Influence of the factions in the system"));
    chart->setTitleBrush(Qt::white);
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignLeft);
    chart->legend()->setLabelColor(Qt::white);
    chart->legend()->setShowToolTips(false);

    m_series = new QPieSeries;
    m_series->setPieSize(kPieSize);
    chart->addSeries(m_series);
    // The view gives up its own default chart without deleting it.
    QChart* const defaultChart = QChartView::chart();
    setChart(chart);
    delete defaultChart;
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::Box);
    setLineWidth(4);
    connect(chart, &QChart::plotAreaChanged, this, &InfluencePieChart::placeCallouts);
}

InfluencePieChart::~InfluencePieChart() = default;

void InfluencePieChart::setSlices(const QList<PieSlice>& slices)
{
    const auto same = [](const PieSlice& a, const PieSlice& b) {
        return a.label == b.label && a.value == b.value && a.colour == b.colour;
    };
    if (std::equal(slices.begin(), slices.end(), m_current.begin(), m_current.end(), same))
        return;
    m_current = slices;
    for (CalloutItem* c : std::as_const(m_callouts)) {
        scene()->removeItem(c);
        delete c;
    }
    m_callouts.clear();
    m_series->clear();
    for (const PieSlice& s : slices) {
        auto* slice =
            new QPieSlice(s.label.toHtmlEscaped() + QStringLiteral("  ") + FormatGrouped3(s.value), s.value);
        const QColor c = QColor::fromRgb(QRgb(s.colour));
        slice->setColor(c);
        slice->setBorderColor(c.darker(160));
        m_series->append(slice);
        auto* callout = new CalloutItem(s.label);
        callout->setZValue(10);
        scene()->addItem(callout);
        m_callouts.append(callout);
    }
    placeCallouts();
}

QStringList InfluencePieChart::calloutTexts() const
{
    QStringList out;
    for (const CalloutItem* c : m_callouts)
        out.append(c->text());
    return out;
}

void InfluencePieChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    placeCallouts();
}

void InfluencePieChart::placeCallouts()
{
    const QRectF area = chart()->plotArea();
    const double side = std::min(area.width(), area.height());
    if (side <= 0)
        return;
    // The pie shrinks for the widest callout to fit beside it, down to a
    // floor; names still too long are shortened.
    double widest = 0;
    for (const CalloutItem* c : std::as_const(m_callouts))
        widest = std::max(widest, c->fullWidth());
    const double radius = std::clamp(area.width() / 2 - widest - 24, side * 0.22, side * kPieSize / 2);
    m_series->setPieSize(2 * radius / side);
    const double room = area.width() / 2 - radius - 24;
    for (CalloutItem* c : std::as_const(m_callouts))
        c->setMaxWidth(room);
    const QPointF centre = chart()->mapToScene(area.center());
    const QRectF plot = chart()->mapRectToScene(area);

    struct Placed
    {
        CalloutItem* item;
        QPointF anchor;
        QPointF box;
        bool right;
    };
    QList<Placed> placed;
    const QList<QPieSlice*> slices = m_series->slices();
    for (qsizetype i = 0; i < slices.size() && i < m_callouts.size(); ++i) {
        // Qt's pie angles start at twelve o'clock and run clockwise.
        const double mid = qDegreesToRadians(slices[i]->startAngle() + slices[i]->angleSpan() / 2);
        const QPointF dir(std::sin(mid), -std::cos(mid));
        const QPointF anchor = centre + dir * radius;
        const QPointF out = centre + dir * (radius + 18);
        const bool right = dir.x() >= 0;
        const QSizeF size = m_callouts[i]->boxSize();
        // Kept inside the plot area, clear of the legend and the chart's edge.
        const double x = std::clamp(right ? out.x() + 4 : out.x() - 4 - size.width(), plot.left(),
                                    std::max(plot.left(), plot.right() - size.width()));
        const QPointF box(x, out.y() - size.height() / 2);
        placed.append({m_callouts[i], anchor, box, right});
    }
    // Boxes of small neighbouring slices would cover each other: push them
    // apart down each side.
    for (const bool side : {false, true}) {
        QList<Placed*> column;
        for (Placed& p : placed)
            if (p.right == side)
                column.append(&p);
        std::sort(column.begin(), column.end(),
                  [](const Placed* a, const Placed* b) { return a->box.y() < b->box.y(); });
        double nextTop = -1e9;
        for (Placed* p : column) {
            p->box.setY(std::max(p->box.y(), nextTop));
            nextTop = p->box.y() + p->item->boxSize().height() + 1;
        }
    }
    for (const Placed& p : placed)
        p.item->place(p.anchor, p.box);
}
