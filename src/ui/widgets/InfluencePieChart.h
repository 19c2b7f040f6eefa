#pragma once

#include "state/SystemInfo.h"

#include <QChartView>
#include <QList>

class QPieSeries;
class CalloutItem;

// The System Info window's pie of faction influence: black background, the
// legend on the left with each slice's value, and a callout box per slice.
// Chart labels are HTML to Qt Charts, so every name from the journal is
// escaped before it reaches one.
class InfluencePieChart : public QChartView
{
    Q_OBJECT
public:
    explicit InfluencePieChart(QWidget* parent = nullptr);
    ~InfluencePieChart() override;

    void setSlices(const QList<PieSlice>& slices);
    QPieSeries* series() const { return m_series; }
    // The callout texts, in slice order (for tests).
    QStringList calloutTexts() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeCallouts();

    QPieSeries* m_series = nullptr;
    QList<CalloutItem*> m_callouts;
    QList<PieSlice> m_current;
};
