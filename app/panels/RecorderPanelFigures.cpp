#include "app/panels/RecorderPanelFigures.h"

#include "app/text/PanelText.h"
#include "app/text/ValueFormatters.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
// A detector signal at or below this is noise, not a diffraction-in-time fringe.
constexpr double kPeakFloor = 1e-4;

// The parabola through (t0, y0), (t1, y1), (t2, y2) (t0 < t1 < t2) at t.
double parabolaAt(double t0, double y0, double t1, double y1, double t2, double y2, double t)
{
    return y0 * (t - t1) * (t - t2) / ((t0 - t1) * (t0 - t2)) + y1 * (t - t0) * (t - t2) / ((t1 - t0) * (t1 - t2)) +
           y2 * (t - t0) * (t - t1) / ((t2 - t0) * (t2 - t1));
}

// The top of that parabola when sample 1 is its largest, kept within
// [t0, t2]; t1 for a parabola without a maximum.
double parabolaTop(double t0, double y0, double t1, double y1, double t2, double y2)
{
    const double a = y0 / ((t0 - t1) * (t0 - t2)) + y1 / ((t1 - t0) * (t1 - t2)) + y2 / ((t2 - t0) * (t2 - t1));
    const double b = -(y0 * (t1 + t2) / ((t0 - t1) * (t0 - t2)) + y1 * (t0 + t2) / ((t1 - t0) * (t1 - t2)) +
                       y2 * (t0 + t1) / ((t2 - t0) * (t2 - t1)));
    if (!(a < 0.0))
        return t1;
    return std::clamp(-b / (2.0 * a), t0, t2);
}

double phaseDegrees(const BerrySample& sample) { return sample.geometricPhase * kDegreesPerRadian; }

// Sum of the populations of orders -order and +order, 0 when either lies
// outside the vector.
double orderPairSum(const std::vector<double>& populations, std::int32_t centre, std::int32_t order)
{
    if (centre < order || static_cast<std::size_t>(centre) + static_cast<std::size_t>(order) >= populations.size())
        return 0.0;
    return populations[static_cast<std::size_t>(centre - order)] +
           populations[static_cast<std::size_t>(centre + order)];
}

} // namespace

QString indicativeDurationText(const RealWorldScaleMapping& scale, double duration)
{
    if (!scale.valid || !(scale.timeUnit > 0.0))
        return PanelText::kNotAvailable;
    return formatTime(duration * scale.timeUnit);
}

std::uint64_t temporalPeakCount(const std::vector<MoshinskySample>& samples, double openTime)
{
    const std::size_t n = samples.size();
    if (n <= 2)
        return 0;
    // Boxcar average over the samples within half the window on either side
    // (summed afresh for each, so a lone sample keeps its value exactly).
    std::vector<double> signal(n, 0.0);
    std::size_t lo = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = samples[i].time;
        while (samples[lo].time < t - 0.5 * kFringeSmoothing)
            ++lo;
        double sum = 0.0;
        std::size_t count = 0;
        for (std::size_t k = lo; k < n && samples[k].time <= t + 0.5 * kFringeSmoothing; ++k, ++count)
            sum += samples[k].detectorDensity;
        signal[i] = sum / static_cast<double>(count);
    }
    double largest = 0.0;
    for (std::size_t i = 0; i < n; ++i)
        if (samples[i].time >= openTime)
            largest = std::max(largest, signal[i]);

    std::uint64_t peaks = 0;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double intensity = signal[i];
        if (samples[i].time < openTime || !(intensity > signal[i - 1]) || intensity < signal[i + 1] ||
            !(intensity > kPeakFloor))
            continue;
        double leftLow = intensity, rightLow = intensity;
        for (std::size_t k = i; k-- > 0 && signal[k] <= intensity;)
            leftLow = std::min(leftLow, signal[k]);
        for (std::size_t k = i + 1; k < n && signal[k] <= intensity; ++k)
            rightLow = std::min(rightLow, signal[k]);
        if (intensity - std::max(leftLow, rightLow) >= kFringeProminence * largest)
            ++peaks;
    }
    return peaks;
}

DetectorPassage detectorPassagePeak(const std::vector<AharonovBohmSample>& samples)
{
    DetectorPassage passage;
    if (samples.empty())
        return passage;
    const auto top = std::max_element(samples.begin(), samples.end(), [](const auto& a, const auto& b) {
        return a.detectorProbability < b.detectorProbability;
    });
    const std::size_t m = static_cast<std::size_t>(top - samples.begin());
    passage = {top->time, top->detectorProbability, top->centralProbability, top->detectorMeanY};
    if (m == 0 || m + 1 == samples.size())
        return passage;
    const AharonovBohmSample& a = samples[m - 1];
    const AharonovBohmSample& c = samples[m + 1];
    const double t =
        parabolaTop(a.time, a.detectorProbability, top->time, top->detectorProbability, c.time, c.detectorProbability);
    const auto at = [&](double AharonovBohmSample::*reading) {
        return parabolaAt(a.time, a.*reading, top->time, (*top).*reading, c.time, c.*reading, t);
    };
    passage = {t, at(&AharonovBohmSample::detectorProbability), at(&AharonovBohmSample::centralProbability),
               at(&AharonovBohmSample::detectorMeanY)};
    return passage;
}

double magneticStepSpeedLag(double kx, double ky, double dx, double dy)
{
    const double exact = std::hypot(kx, ky);
    if (!(exact > 0.0) || !(dx > 0.0) || !(dy > 0.0))
        return 0.0;
    return 1.0 - std::hypot(std::sin(kx * dx) / dx, std::sin(ky * dy) / dy) / exact;
}

FidelityReturn returnFidelity(const std::vector<LandauSample>& samples, double period)
{
    if (samples.empty())
        return {};
    std::size_t first = 0;
    while (first < samples.size() && !(samples[first].time >= 0.5 * period))
        ++first;
    if (first == samples.size())
        return {samples.back().fidelity, samples.back().time, false};
    std::size_t m = first;
    for (std::size_t i = first; i < samples.size(); ++i)
        if (samples[i].fidelity > samples[m].fidelity)
            m = i;
    const bool seen = m + 1 < samples.size();
    if (!seen || m == 0)
        return {samples[m].fidelity, samples[m].time, seen};
    const LandauSample& a = samples[m - 1];
    const LandauSample& b = samples[m];
    const LandauSample& c = samples[m + 1];
    const double t = parabolaTop(a.time, a.fidelity, b.time, b.fidelity, c.time, c.fidelity);
    return {std::clamp(parabolaAt(a.time, a.fidelity, b.time, b.fidelity, c.time, c.fidelity, t), 0.0, 1.0), t, true};
}

DiffractionOrderSums diffractionOrderSums(const std::vector<double>& populations, std::int32_t centre)
{
    DiffractionOrderSums sums;
    if (centre >= 0 && static_cast<std::size_t>(centre) < populations.size())
        sums.zero = populations[static_cast<std::size_t>(centre)];
    sums.first = orderPairSum(populations, centre, 1);
    sums.second = orderPairSum(populations, centre, 2);
    return sums;
}

const char* loschmidtStage(bool fired, double t, double reversalTime)
{
    if (!fired)
        return "FORWARD";
    return t < 2.0 * reversalTime ? "REVERSED / RETURNING" : "ECHO ENDPOINT PASSED";
}

const char* kapitzaDiracStage(bool pulseOn, double pulseStartTime, double t)
{
    if (pulseOn)
        return "LIGHT GRATING ON";
    return pulseStartTime > t ? "BEFORE PULSE" : "FREE SEPARATION";
}

const char* backflowDirection(double flux) { return flux < 0.0 ? "BACKFLOW (-X)" : "forward (+X)"; }

QString berryPhaseText(const BerrySample& sample)
{
    if (sample.phaseValid == 0)
        return QStringLiteral("temporarily undefined (endpoint overlap too small)");
    const double degrees = phaseDegrees(sample);
    return PanelText(QStringLiteral("%1 deg   |error from pi|=%2 deg"))
        .fixed({degrees, std::fabs(std::fabs(degrees) - 180.0)}, 2)
        .text();
}

QString readingClosedText(const QString& end, double readAt, double now)
{
    return PanelText(QStringLiteral("\nreading closed at t=%1 (%2); the run goes on at t=%3"))
        .fixed(readAt, 3)
        .word(end)
        .fixed(now, 3)
        .text();
}

QString berryRowValue(const BerrySample& sample)
{
    if (sample.phaseValid == 0)
        return PanelText(QStringLiteral("phase undefined   F=%1")).fixed(sample.returnFidelity, 5).text();
    return PanelText(QStringLiteral("phase=%1 deg   F=%2"))
        .fixed(phaseDegrees(sample), 2)
        .fixed(sample.returnFidelity, 5)
        .text();
}

} // namespace vxo
