#include "station/SweepPlot.h"

#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace vcm::station {

namespace {

const QLocale kC = QLocale::c();

QString number(double value) {
    return dcp::formatGeneral(value, kC);
}

/// The plot area inside the picture, and the scales from value and volts to it.
struct Frame {
    static constexpr double width = 720, height = 440, left = 70, right = 20, top = 30, bottom = 50;
    double low = 0.0, high = 1.0;

    double x(int value) const { return left + (width - left - right) * value / 255.0; }
    double y(double vcom) const { return top + (height - top - bottom) * (high - vcom) / (high - low); }
};

QString coordinate(double value) {
    return QString::number(value, 'f', 1);
}

}  // namespace

QString sweepCsv(const std::vector<SweepRow>& rows) {
    QString csv = QStringLiteral("hex,value,model_vcom,measured_vcom\n");
    for (const SweepRow& row : rows) {
        csv += QStringLiteral("%1,%2,%3,%4\n")
                   .arg(dcp::byteToHex(row.value))
                   .arg(row.value)
                   .arg(number(row.model), row.measured ? number(*row.measured) : QString());
    }
    return csv;
}

QString sweepSvg(const std::vector<SweepRow>& rows, std::optional<std::uint8_t> chosen) {
    Frame frame;
    double low = INFINITY;
    double high = -INFINITY;
    for (const SweepRow& row : rows) {
        for (const double v : {row.model, row.measured.value_or(row.model)}) {
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
    }
    if (!(low < high)) {
        low = (std::isfinite(low) ? low : 0.0) - 0.5;
        high = low + 1.0;
    }
    const double margin = (high - low) * 0.05;
    frame.low = low - margin;
    frame.high = high + margin;

    QString svg =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\" "
            "font-family=\"sans-serif\" font-size=\"12\">\n"
            "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n")
            .arg(Frame::width)
            .arg(Frame::height);
    // Axes with the value every 40 (hex) and five VCOM marks.
    svg += QStringLiteral(
               "<g stroke=\"#888\" fill=\"none\"><rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/></g>\n")
               .arg(Frame::left)
               .arg(Frame::top)
               .arg(Frame::width - Frame::left - Frame::right)
               .arg(Frame::height - Frame::top - Frame::bottom);
    for (const int value : {0x00, 0x40, 0x80, 0xC0, 0xFF}) {
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">%3</text>\n")
                   .arg(coordinate(frame.x(value)), coordinate(Frame::height - Frame::bottom + 18),
                        dcp::byteToHex(static_cast<std::uint8_t>(value)));
    }
    for (int i = 0; i <= 4; ++i) {
        const double v = low + (high - low) * i / 4.0;
        svg += QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"end\">%3</text>\n")
                   .arg(coordinate(Frame::left - 6), coordinate(frame.y(v) + 4), dcp::formatFixed(v, 3, kC));
    }
    svg +=
        QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">DCP value</text>\n")
            .arg(coordinate((Frame::left + Frame::width - Frame::right) / 2), coordinate(Frame::height - 8));
    svg += QStringLiteral(
               "<text x=\"14\" y=\"%1\" transform=\"rotate(-90 14 %1)\" text-anchor=\"middle\">VCOM "
               "(V)</text>\n")
               .arg(coordinate((Frame::top + Frame::height - Frame::bottom) / 2));

    QStringList model;
    for (const SweepRow& row : rows) {
        model << coordinate(frame.x(row.value)) + u',' + coordinate(frame.y(row.model));
    }
    svg += QStringLiteral("<polyline fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"1.5\" points=\"%1\"/>\n")
               .arg(model.join(u' '));
    svg += QStringLiteral("<g fill=\"#c0392b\">\n");
    for (const SweepRow& row : rows) {
        if (row.measured && std::isfinite(*row.measured)) {
            svg += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"2\"/>\n")
                       .arg(coordinate(frame.x(row.value)), coordinate(frame.y(*row.measured)));
        }
    }
    svg += QStringLiteral("</g>\n");
    if (chosen) {
        const QString x = coordinate(frame.x(*chosen));
        svg += QStringLiteral(
                   "<line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\" stroke=\"#2e8b57\" "
                   "stroke-dasharray=\"4 3\"/>\n<text x=\"%1\" y=\"%4\" text-anchor=\"middle\" "
                   "fill=\"#2e8b57\">%5</text>\n")
                   .arg(x, coordinate(Frame::top), coordinate(Frame::height - Frame::bottom),
                        coordinate(Frame::top - 8), dcp::byteToHex(*chosen));
    }
    svg += QStringLiteral(
               "<g font-size=\"11\"><text x=\"%1\" y=\"%2\" fill=\"#1f5fbf\">model</text>"
               "<text x=\"%1\" y=\"%3\" fill=\"#c0392b\">measured</text></g>\n</svg>\n")
               .arg(coordinate(Frame::width - Frame::right - 70), coordinate(Frame::top + 16),
                    coordinate(Frame::top + 30));
    return svg;
}

}  // namespace vcm::station
