#pragma once

namespace vxo {

// Raises the window's applying-experiment flag for one load, so that the
// control changes a preset or document causes rebuild nothing. The loader
// releases it just before its final rebuild; a load that ends through an
// exception drops the flag as it unwinds.
class ApplyingExperimentScope {
public:
    explicit ApplyingExperimentScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~ApplyingExperimentScope() { flag_ = false; }
    ApplyingExperimentScope(const ApplyingExperimentScope&) = delete;
    ApplyingExperimentScope& operator=(const ApplyingExperimentScope&) = delete;
    void release() { flag_ = false; }

private:
    bool& flag_;
};

} // namespace vxo
