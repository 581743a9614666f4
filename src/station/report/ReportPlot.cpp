#include "station/report/ReportPlot.h"

#include "dcp/NumberFormat.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace vcm::station::report {

namespace {

const QLocale kC = QLocale::c();
constexpr int kMostBins = 40;
constexpr double kRangeInTolerances = 4.0;
constexpr double kMarginInTolerances = 1.25;

/// The smallest of 1, 2, 2.5 and 5 times a power of ten that is at least `step`.
double niceStep(double step) {
    const double power = std::pow(10.0, std::floor(std::log10(step)));
    for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * power >= step * (1.0 - 1e-9)) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

/// The plot area inside the picture, and the scales from volts and attempts to it.
struct Frame {
    static constexpr double width = 720, height = 420, left = 60, right = 20, top = 50, bottom = 50;
    double from = 0.0, to = 1.0;
    double most = 1.0;

    double x(double volts) const { return left + (width - left - right) * (volts - from) / (to - from); }
    double y(double count) const { return top + (height - top - bottom) * (1.0 - count / most); }
};

QString coordinate(double value) {
    return QString::number(value, 'f', 1);
}

QString millivolts(double volts) {
    return dcp::formatGeneral(volts * 1000.0, kC);
}

/// The text as SVG character data.
QString escaped(const QString& text) {
    return QString(text).replace(u'&', QStringLiteral("&amp;")).replace(u'<', QStringLiteral("&lt;"));
}

}  // namespace

double Histogram::edge(std::size_t index) const {
    return (std::round(from / width) + static_cast<double>(index)) * width;
}

Histogram histogramOf(const std::vector<double>& errors, std::optional<double> tolerance) {
    Histogram histogram;
    if (errors.empty()) {
        return histogram;
    }
    const bool limited = tolerance && *tolerance > 0.0;
    const double limitLo = limited ? -kRangeInTolerances * *tolerance : -INFINITY;
    const double limitHi = limited ? kRangeInTolerances * *tolerance : INFINITY;
    double lo = limited ? -kMarginInTolerances * *tolerance : INFINITY;
    double hi = limited ? kMarginInTolerances * *tolerance : -INFINITY;
    for (const double error : errors) {
        if (error >= limitLo && error <= limitHi) {
            lo = std::min(lo, error);
            hi = std::max(hi, error);
        }
    }
    if (!limited && !(hi - lo > 1e-9)) {
        // One error alone, or all the same: a millivolt around it.
        lo -= 0.0005;
        hi += 0.0005;
    }
    histogram.width = niceStep((hi - lo) / kMostBins);
    // Edges are whole multiples of the width; a value a rounding error off an edge counts as on it.
    constexpr double kOnEdge = 1e-9;
    const double first = std::floor(lo / histogram.width + kOnEdge);
    histogram.from = first * histogram.width;
    const auto count =
        static_cast<std::size_t>(std::max(1.0, std::ceil(hi / histogram.width - kOnEdge) - first));
    histogram.bins.assign(count, 0);
    for (const double error : errors) {
        if (error < limitLo) {
            ++histogram.below;
        } else if (error > limitHi) {
            ++histogram.above;
        } else {
            const double index = std::floor((error - histogram.from) / histogram.width + kOnEdge);
            ++histogram
                  .bins[static_cast<std::size_t>(std::clamp(index, 0.0, static_cast<double>(count - 1)))];
        }
    }
    return histogram;
}

QString errorHistogramSvg(const std::vector<double>& errors, std::optional<CommonTolerance> tolerance) {
    const Histogram histogram =
        histogramOf(errors, tolerance ? std::optional(tolerance->volts) : std::nullopt);
    Frame frame;
    // Without errors, an empty frame of two millivolts around zero.
    frame.from = histogram.bins.empty() ? -0.001 : histogram.edge(0);
    frame.to = histogram.bins.empty() ? 0.001 : histogram.edge(histogram.bins.size());
    const qint64 most =
        histogram.bins.empty() ? 0 : *std::max_element(histogram.bins.begin(), histogram.bins.end());
    frame.most = static_cast<double>(std::max<qint64>(most, 1));

    QString svg =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\" "
            "font-family=\"sans-serif\" font-size=\"12\">\n"
            "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n")
            .arg(Frame::width)
            .arg(Frame::height);
    QString title = QStringLiteral("Final error of %1 attempts").arg(errors.size());
    if (histogram.below + histogram.above > 0) {
        title += QStringLiteral(", %1 below and %2 above the range shown")
                     .arg(histogram.below)
                     .arg(histogram.above);
    }
    svg += QStringLiteral("<text x=\"%1\" y=\"20\" font-size=\"14\">%2</text>\n")
               .arg(coordinate(Frame::left), escaped(title));
    svg += QStringLiteral(
               "<g stroke=\"#888\" fill=\"none\"><rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/></g>\n")
               .arg(Frame::left)
               .arg(Frame::top)
               .arg(Frame::width - Frame::left - Frame::right)
               .arg(Frame::height - Frame::top - Frame::bottom);

    // Bars, one per bin that has attempts.
    svg += QStringLiteral("<g fill=\"#1f5fbf\">\n");
    for (std::size_t i = 0; i < histogram.bins.size(); ++i) {
        if (histogram.bins[i] == 0) {
            continue;
        }
        const double left = histogram.edge(i);
        const double right = histogram.edge(i + 1);
        const double x = frame.x(left);
        const double y = frame.y(static_cast<double>(histogram.bins[i]));
        svg +=
            QStringLiteral(
                "<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"><title>%5 to %6 mV: %7</title></rect>\n")
                .arg(coordinate(x), coordinate(y), coordinate(frame.x(right) - x - 1.0),
                     coordinate(frame.y(0.0) - y), millivolts(left), millivolts(right))
                .arg(histogram.bins[i]);
    }
    svg += QStringLiteral("</g>\n");

    // The error axis in millivolts, about five marks; the attempts axis from 0 to the tallest bar.
    const double tick = niceStep((frame.to - frame.from) / 5.0);
    for (double v = std::ceil(frame.from / tick) * tick; v <= frame.to + tick * 1e-9; v += tick) {
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">%3</text>\n")
                   .arg(coordinate(frame.x(v)), coordinate(Frame::height - Frame::bottom + 18),
                        millivolts(std::abs(v) < tick * 1e-9 ? 0.0 : v));
    }
    for (const qint64 count : {qint64{0}, most}) {
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"end\">%3</text>\n")
                   .arg(coordinate(Frame::left - 6), coordinate(frame.y(static_cast<double>(count)) + 4))
                   .arg(count);
    }
    svg +=
        QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">final error (mV)</text>\n")
            .arg(coordinate((Frame::left + Frame::width - Frame::right) / 2), coordinate(Frame::height - 8));
    svg += QStringLiteral(
               "<text x=\"14\" y=\"%1\" transform=\"rotate(-90 14 %1)\" "
               "text-anchor=\"middle\">attempts</text>\n")
               .arg(coordinate((Frame::top + Frame::height - Frame::bottom) / 2));

    const auto mark = [&](double volts, const QString& colour, const QString& dash) {
        if (volts < frame.from || volts > frame.to) {
            return QString();
        }
        return QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\" stroke=\"%4\"%5/>\n")
            .arg(coordinate(frame.x(volts)), coordinate(Frame::top), coordinate(frame.y(0.0)), colour, dash);
    };
    svg += mark(0.0, QStringLiteral("#888"), QString());
    if (tolerance) {
        const QString dash = QStringLiteral(" stroke-width=\"1.5\" stroke-dasharray=\"5 3\"");
        svg += mark(-tolerance->volts, QStringLiteral("#c0392b"), dash);
        svg += mark(tolerance->volts, QStringLiteral("#c0392b"), dash);
        QString label = QStringLiteral("tolerance \u00b1%1 mV").arg(millivolts(tolerance->volts));
        if (tolerance->attempts < tolerance->judged) {
            label += QStringLiteral(" (%1 of the %2 attempts judged with one)")
                         .arg(tolerance->attempts)
                         .arg(tolerance->judged);
        }
        svg += QStringLiteral("<text x=\"%1\" y=\"38\" fill=\"#c0392b\">%2</text>\n")
                   .arg(coordinate(Frame::left), escaped(label));
    }
    return svg + QStringLiteral("</svg>\n");
}

}  // namespace vcm::station::report
