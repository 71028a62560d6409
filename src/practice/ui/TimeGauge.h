#pragma once

#include <QWidget>

namespace tessaro::practice::ui {

/// epIndiGauge1: a vertical bar of 100 steps filling from the bottom, in the alert colour above
/// step 65.
class TimeGauge : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAlertStep = 65;
    explicit TimeGauge(QWidget* parent = nullptr);
    void setValue(int value);
    int value() const { return m_value; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_value = 0;
};

} // namespace tessaro::practice::ui
