#include "DocumentTestSupport.h"

#include "document/ExperimentDocumentJson.h"
#include "document/ExperimentFile.h"
#include "document/PotentialSceneJson.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cmath>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace vxo {
namespace {

class ExperimentFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    static void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray readBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Loading must fail with `message` (or a message starting with it) and
    // leave the sentinel document alone.
    static void expectLoadRefused(const QString& path, const QString& message, bool prefixOnly = false)
    {
        ExperimentDocument document = test::sentinelDocument();
        QString error;
        EXPECT_FALSE(loadExperimentFile(path, document, error));
        if (prefixOnly)
            EXPECT_TRUE(error.startsWith(message)) << error.toStdString();
        else
            EXPECT_EQ(error.toStdString(), message.toStdString());
        test::expectSameDocument(document, test::sentinelDocument());
    }

    QTemporaryDir dir_;
};

QByteArray validBytes() { return experimentDocumentBytes(test::nonDefaultDocument(true)); }

TEST_F(ExperimentFile, UnreadableAndMalformedFilesAreRefused)
{
    expectLoadRefused(path("absent.json"), QStringLiteral("Cannot open '%1': ").arg(path("absent.json")), true);

    writeBytes(path("text.json"), "not json");
    expectLoadRefused(path("text.json"), QStringLiteral("JSON parse error at offset 1: illegal value"));

    const QByteArray valid = validBytes();
    writeBytes(path("truncated.json"), valid.left(valid.size() / 2));
    expectLoadRefused(path("truncated.json"), QStringLiteral("JSON parse error at offset "), true);

    writeBytes(path("empty.json"), "");
    expectLoadRefused(path("empty.json"), QStringLiteral("JSON parse error at offset 0: "), true);

    writeBytes(path("array.json"), "[1, 2]");
    expectLoadRefused(path("array.json"), QStringLiteral("Experiment JSON root must be an object."));

    writeBytes(path("other.json"), R"({"format": "Other", "schemaVersion": 28, "controls": {"a": 1}})");
    expectLoadRefused(path("other.json"), QStringLiteral("This JSON file is not a Ondrivel experiment document."));
}

TEST_F(ExperimentFile, FilesBeyond64MiBAreRefusedUnread)
{
    // A path may hold what looks like a placeholder; it is quoted as it is.
    for (const char* name : {"huge.json", "huge%2 %1.json"}) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kMaximumExperimentFileBytes + 1)); // sparse
        file.close();
        expectLoadRefused(path(name), QStringLiteral("Cannot read '") + path(name) +
                                          QStringLiteral("': the file is larger than 64 MiB."));
    }

    // Exactly 64 MiB is within the limit: a document padded with spaces to it loads.
    QByteArray padded = validBytes();
    padded.append(QByteArray(static_cast<int>(kMaximumExperimentFileBytes - padded.size()), ' '));
    writeBytes(path("full.json"), padded);
    ExperimentDocument loaded;
    QString error;
    EXPECT_TRUE(loadExperimentFile(path("full.json"), loaded, error)) << error.toStdString();
}

// A valid document's text with the value of its root member `member`
// replaced by `value`: what a hostile file carries there, written without
// building it as JSON.
QByteArray validBytesWith(const char* member, const QByteArray& value)
{
    QJsonObject root = experimentDocumentToJson(test::nonDefaultDocument(true));
    root.insert(QLatin1String(member), QStringLiteral("@"));
    QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Compact);
    EXPECT_EQ(bytes.count("\"@\""), 1) << member;
    return bytes.replace("\"@\"", value);
}

// The thread's CPU time: what a load costs, whatever else the machine does.
double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Files within the size limit built to be parsed for seconds, as measured
// in the window (a 60 MB name, 1.5 million controls, 100,000 scene objects,
// 30 MB of brackets, a number of 60 million digits), are refused before they
// are parsed, each with what it holds too much of: the parser never sees
// them, and refusing one costs no more than some times loading an honest
// document padded to the same size, in CPU time, measured here beside it.
TEST_F(ExperimentFile, DocumentsBuiltToBeParsedForSecondsAreRefusedAtOnce)
{
    QByteArray controls = "{";
    for (int k = 0; k < 1500000; ++k)
        controls += "\"unknownControl" + QByteArray::number(k) + "\": " + QByteArray::number(k) + ", ";
    controls += "\"speedComboBox\": 2}";
    const QByteArray object = R"({"id": "%1", "type": "rectangle", "enabled": true, "value": 1, "centerX": 0,)"
                              R"( "centerY": 0, "width": 1, "height": 1, "radius": 1, "length": 1, "thickness": 1,)"
                              R"( "wallWidth": 1, "slitHeight": 1, "slitSeparation": 1})";
    QByteArray objects = "{\"active\": true, \"objects\": [";
    for (int k = 1; k <= 100000; ++k)
        objects += QByteArray(object).replace("%1", QByteArray::number(k)) + (k < 100000 ? ", " : "");
    objects += "]}";
    QByteArray numbers = "[0";
    for (int k = 1; k < 5 * 1000 * 1000; ++k)
        numbers += ",0";
    numbers += "]";
    const QString tooLong = QStringLiteral("Experiment document contains a text longer than 4096 characters.");
    struct Case {
        const char* what;
        QByteArray bytes;
        QString message; // ending in '(': the start of the message
    };
    const Case cases[] = {
        {"a 60 MB name", validBytesWith("name", "\"" + QByteArray(60 * 1000 * 1000, 'n') + "\""), tooLong},
        {"1.5 million unknown controls", validBytesWith("controls", controls),
         QStringLiteral("Experiment document contains too many controls (1500001); a document holds at most 1024.")},
        {"100,000 scene objects", validBytesWith("potentialScene", objects),
         QStringLiteral("Potential scene contains too many objects (100000).")},
        // In a member no version has, which the reader would never look at.
        {"5 million numbers", validBytesWith("notes", numbers),
         QStringLiteral("Experiment document contains too many values (")},
        {"30 MB of brackets", QByteArray(30 * 1000 * 1000, '['),
         QStringLiteral("Experiment document nests its values more than 64 levels deep.")},
        {"a number of 60 million digits", validBytesWith("notes", "1" + QByteArray(60 * 1000 * 1000, '0')), tooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray honest = validBytes();
        honest.append(QByteArray(c.bytes.size() - honest.size(), ' '));
        writeBytes(path("honest.json"), honest);
        writeBytes(path("hostile.json"), c.bytes);
        ExperimentDocument document = test::sentinelDocument();
        QString error;
        double reference = 1e300;
        for (int run = 0; run < 3; ++run) {
            const double start = threadCpuSeconds();
            ASSERT_TRUE(loadExperimentFile(path("honest.json"), document, error)) << error.toStdString();
            reference = std::min(reference, threadCpuSeconds() - start);
        }
        document = test::sentinelDocument();
        const std::uint64_t parsed = experimentTextsParsed();
        const double start = threadCpuSeconds();
        EXPECT_FALSE(loadExperimentFile(path("hostile.json"), document, error));
        const double cost = threadCpuSeconds() - start;
        EXPECT_EQ(experimentTextsParsed(), parsed) << "the text was parsed";
        EXPECT_LT(cost, 16.0 * reference) << "refused in " << cost << " s of CPU time; an honest document of "
                                          << c.bytes.size() << " bytes loads in " << reference << " s";
        if (c.message.endsWith(QLatin1Char('(')))
            EXPECT_TRUE(error.startsWith(c.message) && error.endsWith(QStringLiteral("at most 65536.")))
                << error.toStdString();
        else
            EXPECT_EQ(error.toStdString(), c.message.toStdString());
        test::expectSameDocument(document, test::sentinelDocument());
    }
}

// The limits count a document's decoded text: an escape is one character
// and a name spelled with escapes is that name, as the parser reads them.
// A name written the way a script's JSON library writes it (every accented
// letter escaped) loads up to the limit, and a controls object named with an
// escape is held to its limit; exactly 1,024 controls load, one more does not.
TEST_F(ExperimentFile, LimitsCountTheDecodedTextAndItsNesting)
{
    const auto escapedName = [](int characters) {
        QByteArray name = "\"";
        for (int k = 0; k < characters; ++k)
            name += "\\u00e9";
        return name + "\"";
    };
    const auto controlsNamed = [](const QByteArray& key, int count) {
        QByteArray controls = "{\"speedComboBox\": 2";
        for (int k = 1; k < count; ++k)
            controls += ", \"unknownControl" + QByteArray::number(k) + "\": " + QByteArray::number(k);
        return std::pair{key, controls + "}"};
    };
    const auto withControls = [](const std::pair<QByteArray, QByteArray>& controls) {
        QByteArray bytes = validBytesWith("controls", controls.second);
        return bytes.replace("\"controls\"", "\"" + controls.first + "\"");
    };
    const auto nested = [](int depth) {
        return validBytesWith("notes", QByteArray(depth - 1, '[') + QByteArray(depth - 1, ']'));
    };
    const QString tooLong = QStringLiteral("Experiment document contains a text longer than 4096 characters.");
    const QString tooDeep = QStringLiteral("Experiment document nests its values more than 64 levels deep.");
    struct Case {
        const char* what;
        QByteArray bytes;
        QString message; // empty: loads
        int nameCharacters;
    };
    const Case cases[] = {
        {"an escaped name of 700 characters", validBytesWith("name", escapedName(700)), {}, 700},
        {"an escaped name at the limit", validBytesWith("name", escapedName(4096)), {}, 4096},
        {"an escaped name one past the limit", validBytesWith("name", escapedName(4097)), tooLong, 0},
        {"a name one past the limit", validBytesWith("name", "\"" + QByteArray(4097, 'n') + "\""), tooLong, 0},
        {"exactly 1,024 controls", withControls(controlsNamed("controls", 1024)), {}, -1},
        {"1,025 controls", withControls(controlsNamed("controls", 1025)),
         QStringLiteral("Experiment document contains too many controls (1025); a document holds at most 1024."), 0},
        {"60,000 controls under an escaped name", withControls(controlsNamed("contr\\u006fls", 60000)),
         QStringLiteral("Experiment document contains too many controls (60000); a document holds at most 1024."), 0},
        {"values 64 levels deep", nested(64), {}, -1},
        {"values 65 levels deep", nested(65), tooDeep, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path("limits.json"), c.bytes);
        ExperimentDocument document = test::sentinelDocument();
        QString error;
        const bool loaded = loadExperimentFile(path("limits.json"), document, error);
        EXPECT_EQ(loaded, c.message.isEmpty()) << error.toStdString();
        EXPECT_EQ(error.toStdString(), c.message.toStdString());
        if (c.nameCharacters > 0) {
            EXPECT_EQ(document.name, QString(c.nameCharacters, QChar(0xE9)));
        }
        if (!loaded) {
            test::expectSameDocument(document, test::sentinelDocument());
        }
    }
}

// Opening a FIFO for reading waits until a writer comes. Should the loader
// open one, the watchdog gets in as the writer that releases it, so that a
// regression fails here instead of hanging the suite. It keeps trying to
// open the write end without waiting, which succeeds only once a reader has
// the FIFO open: however slowly the loader runs, a loader that never opens
// the FIFO never meets the watchdog. Files of other kinds are left alone.
class FifoWatchdog {
public:
    explicit FifoWatchdog(const QString& path) : path_(QFile::encodeName(path))
    {
        struct stat status {};
        if (::stat(path_.constData(), &status) != 0 || !S_ISFIFO(status.st_mode))
            return;
        thread_ = std::thread([this] {
            std::unique_lock<std::mutex> lock(mutex_);
            while (!finished_) {
                const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    fired_ = true;
                    ::close(fd);
                    return;
                }
                done_.wait_for(lock, std::chrono::milliseconds(10));
            }
        });
    }
    ~FifoWatchdog() { finish(); }
    // True when the watchdog had to release a waiting reader.
    bool finish()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        if (thread_.joinable())
            thread_.join();
        return fired_;
    }

private:
    QByteArray path_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

TEST_F(ExperimentFile, OnlyRegularFilesAreOpened)
{
    const QString fifo = path("pipe.vxo.json");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0) << std::strerror(errno);
    ASSERT_TRUE(QDir().mkpath(path("folder.json")));
    ASSERT_TRUE(QFile::exists(QStringLiteral("/dev/zero"))) << "this test reads the endless device /dev/zero";
    for (const QString& special : {fifo, path("folder.json"), QStringLiteral("/dev/zero")}) {
        SCOPED_TRACE(special.toStdString());
        FifoWatchdog watchdog(special);
        expectLoadRefused(special, QStringLiteral("Cannot open '%1': Not a regular file").arg(special));
        EXPECT_FALSE(watchdog.finish()) << "the loader waited for a writer";
    }
    // A link to a regular file is a regular file.
    writeBytes(path("doc.json"), validBytes());
    ASSERT_TRUE(QFile::link(path("doc.json"), path("link.json")));
    ExperimentDocument loaded;
    QString error;
    EXPECT_TRUE(loadExperimentFile(path("link.json"), loaded, error)) << error.toStdString();
}

TEST_F(ExperimentFile, SaveReplacesThePreviousFileAndLoadsBack)
{
    writeBytes(path("doc.json"), "previous");
    QString error = QStringLiteral("stale");
    ASSERT_TRUE(saveExperimentFile(path("doc.json"), test::nonDefaultDocument(false), error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(readBytes(path("doc.json")).startsWith("{\n    \"andersonInitialState\""))
        << "indented JSON, keys in ascending order";

    ExperimentDocument loaded;
    ASSERT_TRUE(loadExperimentFile(path("doc.json"), loaded, error)) << error.toStdString();
    test::expectSameDocument(loaded, test::nonDefaultDocument(false));
}

// Documents the reader would refuse are not saved: the reader's message is
// returned and the previous file stays.
struct UnloadableDocument {
    const char* name;
    void (*spoil)(ExperimentDocument& document);
    const char* message;
};

const UnloadableDocument kUnloadable[] = {
    {"more than 512 objects",
     [](ExperimentDocument& d) {
         PotentialObject o;
         while (d.potentialScene.size() < 513)
             d.potentialScene.add(o);
     },
     "Potential scene contains too many objects (513); a document holds at most 512."},
    {"duplicate ids", [](ExperimentDocument& d) { d.potentialScene.find(12)->id = 9; },
     "Potential scene contains duplicate object id 9."},
    {"object with a non-finite number", [](ExperimentDocument& d) { d.potentialScene.find(9)->slopeY = std::nanf(""); },
     "Potential scene object 1 has invalid numeric field 'slopeY'."},
    {"object of no kind", [](ExperimentDocument& d) { d.potentialScene.find(9)->kind = PotentialObjectKind::None; },
     "Potential scene object 1 has an unknown type."},
    {"record with a non-finite number", [](ExperimentDocument& d) { d.quantumQuench.time = INFINITY; },
     "Experiment quantumQuench contains invalid fields."},
    {"record refused by its check", [](ExperimentDocument& d) { d.ramseyEnsemble.memberCount = 2; },
     "Ramsey: \"Members\" is 2; the allowed range is 3 to 201."},
    {"unsigned field beyond its range", [](ExperimentDocument& d) { d.quantumLandau.landauIndex = 4294967295u; },
     "Landau: \"Landau index n\" is -1; the allowed range is 0 to 8."},
    {"drive that misses its target", [](ExperimentDocument& d) { d.periodicDrive.targetObjectId = 77; },
     "Periodic drive cannot be saved switched on: its target, object #77, is not in the Potential Scene."},
    {"superposition of one state", [](ExperimentDocument& d) { d.initialPreparation.stateB = 1; },
     "Bound-state superposition requires two different states."},
    {"no controls", [](ExperimentDocument& d) { d.controls.clear(); },
     "Experiment document contains no usable control values."},
};

class UnloadableSave : public ::testing::TestWithParam<UnloadableDocument> {};

TEST_P(UnloadableSave, IsRefusedWithTheReadersMessageAndTheTargetKept)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("doc.json"));
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("previous");
    }
    ExperimentDocument document = test::nonDefaultDocument(false);
    GetParam().spoil(document);
    QString error;
    EXPECT_FALSE(saveExperimentFile(target, document, error));
    EXPECT_EQ(error.toStdString(), GetParam().message);
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(Faults, UnloadableSave, ::testing::ValuesIn(kUnloadable),
                         [](const ::testing::TestParamInfo<UnloadableDocument>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST_F(ExperimentFile, SaveThatCannotOpenItsFileReportsIt)
{
    writeBytes(path("plain"), "a regular file");
    const QString underFile = path("plain") + QStringLiteral("/doc.json");
    QString error;
    EXPECT_FALSE(saveExperimentFile(underFile, test::nonDefaultDocument(true), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot open '%1' for writing: ").arg(underFile)))
        << error.toStdString();
    EXPECT_EQ(readBytes(path("plain")), QByteArray("a regular file"));
}

// Limits the size of files this process may write, so that writing fails
// even for root; SIGXFSZ is ignored meanwhile so the write returns an error.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool active() const { return active_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

TEST_F(ExperimentFile, FailedWriteLeavesThePreviousFileIntact)
{
    writeBytes(path("doc.json"), "previous");
    QString error;
    // Small and large documents: the first is buffered and fails only when
    // flushed, the second fails in the write itself.
    for (const int extraObjects : {0, 400}) {
        ExperimentDocument document = test::nonDefaultDocument(true);
        PotentialObject disabled;
        disabled.enabled = false;
        for (int i = 0; i < extraObjects; ++i)
            document.potentialScene.add(disabled);
        {
            FileSizeLimit limit(64);
            ASSERT_TRUE(limit.active());
            EXPECT_FALSE(saveExperimentFile(path("doc.json"), document, error));
        }
        // The message names the cause, here the size limit.
        EXPECT_EQ(error.toStdString(), QStringLiteral("Cannot write '%1': %2")
                                           .arg(path("doc.json"), QString::fromLocal8Bit(std::strerror(EFBIG)))
                                           .toStdString());
        EXPECT_EQ(readBytes(path("doc.json")), QByteArray("previous"));
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
    }
}

// A scene at the limit a document holds, filled up to it, is saved and read
// back whole; one object more is refused (above).
TEST_F(ExperimentFile, ASceneOfAsManyObjectsAsADocumentHoldsIsSavedWhole)
{
    ExperimentDocument document = test::nonDefaultDocument(false);
    PotentialObject o;
    while (document.potentialScene.size() < static_cast<std::uint64_t>(kMaximumSceneObjects))
        document.potentialScene.add(o);
    QString error;
    ASSERT_TRUE(saveExperimentFile(path("full.json"), document, error)) << error.toStdString();
    ExperimentDocument loaded;
    ASSERT_TRUE(loadExperimentFile(path("full.json"), loaded, error)) << error.toStdString();
    EXPECT_EQ(loaded.potentialScene.size(), static_cast<std::uint64_t>(kMaximumSceneObjects));
    test::expectSameDocument(loaded, document);
}

} // namespace
} // namespace vxo
