#pragma once
// Starts korvx-ctlsim as a child process for tests and benchmarks: waits for
// the device path it prints and ends it (SIGTERM, then SIGKILL) when done.
#include <string>
#include <vector>

namespace korvx::ctlsim {

class SimProzess {
public:
    // `programm` is the path of korvx-ctlsim; `argumente` its options.
    SimProzess(const std::string& programm, const std::vector<std::string>& argumente);
    ~SimProzess();
    SimProzess(const SimProzess&) = delete;
    SimProzess& operator=(const SimProzess&) = delete;

    // Device path of the simulator's side; empty when it did not start.
    const std::string& Geraet() const { return geraet_; }
    // Waits up to `ms` for the simulator to end by itself; true when it has.
    bool AufEndeWarten(int ms);

private:
    int pid_ = -1;
    std::string geraet_;
};

} // namespace korvx::ctlsim
