#include "modes/run.h"

#include <algorithm>
#include <new>
#include <vector>

#include "core/engine_error.h"
#include "files/column_file.h"
#include "files/file_access.h"

namespace kelvo {

namespace {

// Writing the reduced set over the input would destroy the full set of columns, so an output
// that is the input file itself (by another name, a link, or the same name once ".txt" is
// added) is refused. The files are compared, not their names.
void RefuseOutputOverInput(const std::string& inputPath, const std::string& outputFile,
                           const TFileCalls& calls) {
    if (IsSameFile(inputPath, outputFile, calls)) {
        throw TEngineError("Output file " + outputFile + " is the input file " + inputPath +
                           "; choose another output name");
    }
}

// Logs the two lines that close the analysis as the selection begins, and passes progress on to
// the host.
class TRunProgress : public TRunHostProgress {
public:
    explicit TRunProgress(TRunHost& host) : TRunHostProgress(host), host_(host) {}

    void BeginPhase(std::string_view phase) override {
        if (phase == kSelectingPhase) {
            host_.AddLogLine("Fin de analisis de Columnas.");
            host_.AddLogLine("Buscando las reductoras...");
        }
    }

private:
    TRunHost& host_;
};

TRunOutcome Run(const std::string& inputPath, const std::string& outputPath, TRunHost& host,
                const TRunOptions& options, const TColumnChoice& choose) {
    RequireGuarantee(options.Guarantee);
    const std::string outputFile = outputPath + ".txt";
    RefuseOutputOverInput(inputPath, outputFile, options.Files);
    const int lineCount = PrepareColumnFile(inputPath, options.Files, [&host](double fraction) {
        TProgress progress;
        progress.Phase = kSortingPhase;
        progress.Fraction = fraction;
        host.ShowProgress(progress);
    });
    if (ExceedsLimit(static_cast<std::size_t>(lineCount), options.NoLimit)) {
        host.ShowInfo(std::string(kRefusalText));
        return TRunOutcome::Refused;
    }
    const TColumnList list = ReadColumns(inputPath, TReadMessages::LineReader, options.Files);
    host.AddLogLine("Comienzo de la Reduccion...");
    host.AddLogLine("Analizando columnas...");
    TRunProgress progress(host);
    const std::vector<TKey> chosen = choose(list.Columns, progress);
    std::vector<std::string> reduced;
    reduced.reserve(chosen.size());
    for (const TKey& column : chosen) {
        reduced.push_back(ColumnText(column));
    }
    SaveColumns(reduced, outputFile, options.Files);
    host.AddLogLine("Reductoras Buscadas.");
    host.AddLogLine("Fin de la Reduccion.");
    host.AddLogLine("------------------------");
    host.AddLogLine("Columnas Iniciales: " + std::to_string(list.Count()));
    host.AddLogLine("Columnas en la reducida: " + std::to_string(reduced.size()));
    host.AddLogLine("*****----HECHO--------*****");
    return TRunOutcome::Completed;
}

}  // namespace

TRunResult ReduceColumns(const std::string& InputPath, const std::string& OutputPath,
                         TRunHost& host, const TRunOptions& options) {
    TRunResult result;
    result.Outcome = RunChoosing(InputPath, OutputPath, host, options,
                                 [&](std::span<const TKey> columns, TProgressSink& progress) {
                                     TReductionRequest request;
                                     static_cast<TReductionSettings&>(request) = options;
                                     // The lines were counted against the limit; the columns loaded
                                     // from them are no more.
                                     request.NoLimit = true;
                                     request.Columns = columns;
                                     request.Progress = &progress;
                                     TReduction reduction = Reduce(request);
                                     result.Report = reduction.Report;
                                     return std::move(reduction.Chosen);
                                 });
    return result;
}

TRunOutcome RunChoosing(const std::string& inputPath, const std::string& outputPath, TRunHost& host,
                        const TRunOptions& options, const TColumnChoice& choose) {
    return ReportingOutOfMemory([&] { return Run(inputPath, outputPath, host, options, choose); });
}

}  // namespace kelvo
