#pragma once
// The console report of a bench program, keeping the figures of each benchmark (a single run's, or
// the median of its repetitions) for the lines the program prints after the report: how the measured
// work compares with the baseline measured in the same run.
#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class ReporteFiguras : public benchmark::ConsoleReporter {
public:
    struct Figura {
        double tiempo = 0;  // real time, in the benchmark's unit
        double cpu = 0;     // CPU time of the thread that ran it, in the same unit
        benchmark::UserCounters contadores;

        double Contador(const std::string& nombre) const {
            const auto it = contadores.find(nombre);
            return it == contadores.end() ? 0 : double(it->second);
        }
    };
    // By function name, followed by "/" and the arguments when it has any ("Lista/100000"); a
    // benchmark that failed has none.
    using Figuras = std::map<std::string, Figura>;

    explicit ReporteFiguras(std::function<void(const Figuras&)> alTerminar) : alTerminar_(std::move(alTerminar)) {}

    void ReportRuns(const std::vector<Run>& corridas) override {
        for (const Run& r : corridas)
            if (!r.error_occurred && (r.run_type == Run::RT_Iteration || r.aggregate_name == "median"))
                figuras_[r.run_name.function_name + (r.run_name.args.empty() ? "" : "/" + r.run_name.args)] = {
                    r.GetAdjustedRealTime(), r.GetAdjustedCPUTime(), r.counters};
        ConsoleReporter::ReportRuns(corridas);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        alTerminar_(figuras_);
    }

private:
    std::function<void(const Figuras&)> alTerminar_;
    Figuras figuras_;
};
