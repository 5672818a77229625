// The columns written out: the name proposed from the plan's, and the extension added to a name
// chosen without one, for the columns file and the PDF alike.
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "column_export.h"
#include "ui_test_support.h"

namespace {

// Answers every dialog with `Answer` and keeps the name each one proposed.
class TRecordingFileDialog final : public TFileDialog {
public:
    QString Answer;
    QStringList Suggested;

protected:
    QString Show(QWidget*, const TFileQuestion& question) override {
        Suggested.append(question.Suggested);
        return Answer;
    }
};

const std::vector<kelvo::TKey> kColumns = {kelvo::MakeKey("1X21X21X21X21X"),
                                           kelvo::MakeKey("22222222222222")};
const QByteArray kColumnsFile = "1X21X21X21X21X\r\n22222222222222\r\n";

}  // namespace

class TColumnExportTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void columns_file_gets_txt_only_when_the_name_has_no_extension() {
        const std::vector<std::pair<QString, QString>> cases = {
            {"semana", "semana.txt"},
            {"semana.txt", "semana.txt"},
            {"semana.col", "semana.col"},
            {"jornada 15.v2", "jornada 15.v2"},
        };
        for (const auto& [chosen, written] : cases) {
            QTemporaryDir folder;
            TRecordingFileDialog files;
            files.Answer = folder.filePath(chosen);
            TColumnExport exporter(files, nullptr);
            QSignalSpy reported(&exporter, &TColumnExport::Reported);
            exporter.SaveColumns(MakePrintHeading({}, QString(), {}), kColumns);
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{written});
            QCOMPARE(ReadBytes(folder.filePath(written)), kColumnsFile);
            QCOMPARE(reported.size(), 1);
            QCOMPARE(reported.at(0).at(0).toString(),
                     QStringLiteral("Columnas guardadas en ") + folder.filePath(written));
        }
    }

    void a_pdf_gets_pdf_only_when_the_name_has_no_extension() {
        for (const auto& [chosen, written] : std::vector<std::pair<QString, QString>>{
                 {"semana", "semana.pdf"}, {"semana.pdf", "semana.pdf"}}) {
            QTemporaryDir folder;
            TRecordingFileDialog files;
            files.Answer = folder.filePath(chosen);
            TColumnExport exporter(files, nullptr);
            exporter.ExportPdf(MakePrintHeading({}, QString(), {}), kColumns);
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{written});
            QVERIFY(ReadBytes(folder.filePath(written)).startsWith("%PDF"));
        }
    }

    void dialogs_propose_the_plans_name() {
        TRecordingFileDialog files;
        TColumnExport exporter(files, nullptr);
        exporter.SaveColumns(MakePrintHeading({}, QStringLiteral("/a/jornada 15.kelvo"), {}),
                             kColumns);
        exporter.ExportPdf(MakePrintHeading({}, QString(), {}), kColumns);
        QCOMPARE(files.Suggested,
                 (QStringList{"jornada 15.txt", QStringLiteral("Plan sin nombre.pdf")}));
    }
};

QTEST_MAIN(TColumnExportTest)
#include "column_export_test.moc"
