#pragma once

// Helpers shared by the experiment scene checks and preparers.
//
// Scene checks never throw: they return success and report one fixed message
// through an optional std::string out-parameter. These helpers keep the
// reporting rules and the size tolerance in one place.

#include <string>

namespace vxo {

// Relative tolerance of the scene checks: two object sizes (or heights) count as
// equal when they differ by at most max(|reference|, 1) * kSceneSizeTolerance.
constexpr double kSceneSizeTolerance = 1e-4;

// |value - reference| <= max(|reference|, 1) * 1e-4; false when either is not finite.
bool sceneSizesEqual(double value, double reference);

// Empties the error text when one is given (the first step of every check).
void clearAnalysisError(std::string* error);

// Writes the message into the error text when one is given; no-op for null.
void setAnalysisError(std::string* error, const char* message);

// Preparers report only into an error text that is still empty, so that the
// message of a validator that ran before them survives.
void setAnalysisErrorIfEmpty(std::string* error, const char* message);

// The failing ends of the checks, which return false after reporting:
// setAnalysisError, setAnalysisErrorIfEmpty, and the form of the checks that
// hand out the message itself (no-op for a null message pointer).
bool failAnalysis(std::string* error, const char* message);
bool failAnalysisIfEmpty(std::string* error, const char* message);
bool failAnalysis(const char** message, const char* text);

// lo <= v <= hi; false for NaN.
inline bool inClosedRange(double v, double lo, double hi) { return v >= lo && v <= hi; }

} // namespace vxo
