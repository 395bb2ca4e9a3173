#pragma once

namespace vxo {

// How long a timed status-bar message stays, by how much the reader has to
// take in before it goes.

// A routine confirmation: a scene edit done, a measurement batch sampled.
constexpr int kStatusConfirmationMs = 3000;
// A short notice: a scene edit refused, a guided experiment loaded, nothing to measure.
constexpr int kStatusNoticeMs = 4000;
// A report worth reading: a document read or written, a bound state prepared,
// a refusal with its reason, a failure.
constexpr int kStatusReportMs = 5000;
// A long text that says what happened and what to do next.
constexpr int kStatusExplanationMs = 6000;
// A help page that could not be opened, with the path that was tried.
constexpr int kStatusHelpFailureMs = 7000;

} // namespace vxo
