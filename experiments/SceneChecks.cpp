#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>

namespace vxo {

bool sceneSizesEqual(double value, double reference)
{
    if (!std::isfinite(value) || !std::isfinite(reference))
        return false;
    return std::fabs(value - reference) <= std::max(std::fabs(reference), 1.0) * kSceneSizeTolerance;
}

void clearAnalysisError(std::string* error)
{
    if (error)
        error->clear();
}

void setAnalysisError(std::string* error, const char* message)
{
    if (error)
        *error = message;
}

void setAnalysisErrorIfEmpty(std::string* error, const char* message)
{
    if (error && error->empty())
        *error = message;
}

bool failAnalysis(std::string* error, const char* message)
{
    setAnalysisError(error, message);
    return false;
}

bool failAnalysisIfEmpty(std::string* error, const char* message)
{
    setAnalysisErrorIfEmpty(error, message);
    return false;
}

bool failAnalysis(const char** message, const char* text)
{
    if (message)
        *message = text;
    return false;
}

} // namespace vxo
