// SPDX-License-Identifier: GPL-2.0-or-later
#include "fuzz/fuzztargets.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include "device/buttonupload.h"
#include "device/devicelink.h"
#include "device/kestdevicecontext.h"
#include "device/kestgetbatterythread.h"
#include "device/macrowire.h"
#include "device/sendcommand.h"
#include "fuzz/fakehidbackend.h"
#include "store/appdir.h"
#include "store/configimport.h"
#include "store/devicedescription.h"
#include "store/kestinifile.h"
#include "store/kestrecordimage.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"
#include "widgets/kestpngreader.h"

namespace {

[[noreturn]] void broken(const char *what)
{
    std::fprintf(stderr, "fuzz target: %s\n", what);
    std::abort();
}

QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

struct Environment
{
    QTemporaryDir dir;
    std::shared_ptr<FakeHidBackend> backend = std::make_shared<FakeHidBackend>();
};

Environment &environment()
{
    static Environment env;
    return env;
}

QString appPath(const QString &relative)
{
    return environment().dir.path() + QLatin1Char('/') + relative;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        broken("cannot write the input file");
}

// The reader itself, and its own round trip: what it accepted, written and read again,
// holds the same keys and texts.
int fuzzIni(const uint8_t *data, size_t size)
{
    KestIniFile ini;
    if (!ini.loadData(bytes(data, size), QStringLiteral("fuzz.ini")).isOk())
        return 0;
    const QStringList keys = ini.keys();
    for (const QString &key : keys) {
        ini.intValue(key);
        ini.uintValue(key);
        ini.colorValue(key);
    }
    const QString path = appPath(QStringLiteral("roundtrip.ini"));
    const KestFileResult saved = ini.save(path);
    // More than the reader takes back is refused on purpose.
    if (saved.reason() == KestFileResult::OverLimit)
        return 0;
    if (!saved)
        broken("save failed");
    KestIniFile back;
    if (!back.load(path).isOk())
        broken("a file we wrote was refused");
    if (back.keys().size() != keys.size())
        broken("the key count changed in a round trip");
    for (const QString &key : keys) {
        if (!back.contains(key) || back.stringValue(key) != ini.stringValue(key)
            || back.colorValue(key) != ini.colorValue(key))
            broken("a value changed in a round trip");
    }
    return 0;
}

// A ".prof" file: load, save, load again gives the same record.
int fuzzProfile(const uint8_t *data, size_t size)
{
    const QString in = appPath(QStringLiteral("in.prof"));
    const QString out = appPath(QStringLiteral("out.prof"));
    writeFile(in, bytes(data, size));
    QFile::remove(out);
    ProfileRecord first;
    static_cast<void>(loadProfile(0, first, in)); // a refused file leaves the defaults, also a record
    if (!saveProfile(0, first, out))
        broken("saving a loaded profile failed");
    ProfileRecord second;
    if (!loadProfile(0, second, out).isOk())
        broken("a profile we wrote was refused");
    if (!(first == second))
        broken("profile changed in load -> save -> load");
    return 0;
}

// A ".conf" export through the import routine; what was imported, exported and imported
// again is the same set.
int fuzzConfigImport(const uint8_t *data, size_t size)
{
    const QString in = appPath(QStringLiteral("in.conf"));
    const QString out = appPath(QStringLiteral("out.conf"));
    writeFile(in, bytes(data, size));
    ConfigRecord base;
    makeDefaultConfig(base);
    base.names = {QStringLiteral("Profile 1"), QStringLiteral("Profile 2"), QStringLiteral("Profile 3"),
                  QStringLiteral("Profile 4"), QStringLiteral("Profile 5")};
    QString tag;
    static_cast<void>(readProductTag(in, tag)); // no tag: the import refuses it below
    ConfigRecord first = base;
    const ConfigImport imported = importConfiguration(first, in, tag);
    if (imported.outcome != ConfigImport::Imported) {
        if (!(first == base))
            broken("a refused import changed the record");
        return 0;
    }
    // The export holds five full slots (1.2 MB) whatever the input held; most inputs hold no
    // key we know and import the same set as an empty file, whose round trip needs trying
    // once, not on every run.
    static ConfigRecord tried;
    static bool triedOnce = false;
    if (triedOnce && first == tried)
        return 0;
    const KestFileResult exported = exportConfig(first, out);
    if (!exported)
        broken("export failed");
    KestIniFile back;
    if (!back.load(out).isOk())
        broken("our own export was refused");
    ConfigRecord second = base;
    importConfig(second, back);
    // Slot names are not exported: the second import keeps the base names.
    second.names = first.names;
    for (int k = 0; k < SLOT_COUNT; ++k)
        second.profiles[k].ProfileName = first.profiles[k].ProfileName;
    if (!(first == second))
        broken("configuration changed in import -> export -> import");
    if (!triedOnce) {
        tried = first;
        triedOnce = true;
    }
    return 0;
}

// A macro file to the steps of a macro button and the bytes of a macro slot; saving what
// was read and reading it again gives the same macro.
int fuzzMacro(const uint8_t *data, size_t size)
{
    writeFile(macroFilePath(QStringLiteral("fuzz")), bytes(data, size));
    const Macro macro = loadMacro(QStringLiteral("fuzz"));
    const QVector<MacroAction> actions = readMacroActions(QStringLiteral("fuzz"));
    if (actions != macro.actions)
        broken("the upload and the editor read different actions");
    QVector<KeyInfo> steps;
    for (const MacroAction &action : actions)
        steps << macroActionToKeyInfo(action);
    buildMacroReports(0, layoutMacro(steps));

    QFile::remove(macroFilePath(QStringLiteral("again")));
    if (!saveMacro(QStringLiteral("again"), macro.settings, macro.actions))
        broken("saving a loaded macro failed");
    const Macro again = loadMacro(QStringLiteral("again"));
    if (again.actions != macro.actions || again.settings.defaultDelay != macro.settings.defaultDelay
        || again.settings.delayType != macro.settings.delayType
        || again.settings.loopType != macro.settings.loopType
        || again.settings.loopTime != macro.settings.loopTime)
        broken("macro changed in load -> save -> load");
    return 0;
}

// The device description through every reader, the default profile it makes and the
// button table built from it, sent to a mouse that confirms everything.
int fuzzDescription(const uint8_t *data, size_t size)
{
    writeFile(deviceDescriptionPath(), bytes(data, size));
    readButtonCount();
    readDpiLevelCount();
    ButtonMatrix matrix{};
    readMatrix(matrix);
    readMatrix2(matrix);
    SensorDefaults sensor;
    readSensorDefaults(sensor);
    readSleepRange();
    readDescriptionProductName();
    readDescriptionVersion();
    readMinDelay();
    readFrench();
    ConfigRecord config;
    makeDefaultConfig(config);
    for (ProfileRecord &profile : config.profiles)
        makeDefaultProfile(profile);
    KestButtonUpload upload(KestDeviceContext::link(), config.profiles[0], KestButtonLayout::read());
    environment().backend->setEcho(true);
    upload.sendTable();
    environment().backend->setEcho(false);
    return 0;
}

// The status report decoder, and the exchange fed arbitrary answers.
int fuzzExchange(const uint8_t *data, size_t size)
{
    const QByteArray input = bytes(data, size);
    for (int at = 0; at + 33 <= input.size(); at += 33) {
        KestGetBatteryThread::Status status;
        KestGetBatteryThread::parseStatus(reinterpret_cast<const quint8 *>(input.constData() + at), status);
    }
    environment().backend->feed(input);
    SendCommand(KestGetBatteryThread::batteryQuery());
    KestCommandReport report(quint8(size > 0 ? data[0] : 0));
    for (int i = 0; i < 33 && i + 1 < int(size); ++i)
        report[i] = data[i + 1];
    SendCommand(report.data(), int(size % 40));
    return 0;
}

// A skin picture someone replaced: the reader either decodes it whole or leaves it to the
// toolkit, whatever the chunks before the image data claim.
int fuzzPng(const uint8_t *data, size_t size)
{
    const QString path = appPath(QStringLiteral("fuzz.png"));
    writeFile(path, bytes(data, size));
    const QImage image = KestPngReader::read(path);
    if (!image.isNull() && (image.width() <= 0 || image.height() <= 0 || image.bits() == nullptr))
        broken("an image without pixels");
    return 0;
}
// The start's binary copy of the profiles, damaged or made up. Its digest is made to match,
// so that the fuzzer gets past it to the fields; what reads back must write back the same.
int fuzzRecordImage(const uint8_t *data, size_t size)
{
    QByteArray input = bytes(data, size);
    KestRecordImage image;
    static_cast<void>(KestRecordImage::fromBytes(input, image));
    input.append(QCryptographicHash::hash(input, QCryptographicHash::Sha1));
    if (KestRecordImage::fromBytes(input, image) && image.toBytes() != input)
        broken("an image that reads back otherwise");
    return 0;
}
} // namespace

void initFuzzEnvironment()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.warning=false"));
    Environment &env = environment();
    if (!env.dir.isValid())
        broken("no temporary folder");
    setApplicationDir(env.dir.path());
    setLinkTimings(KestLinkTimings{0, 0, 0, 0, 0});
    setHidBackend(env.backend);
    commandHandle1 = env.backend->open(QByteArray("fuzz"), nullptr);
}

const std::vector<FuzzTarget> &fuzzTargets()
{
    static const std::vector<FuzzTarget> targets = {
        {"ini", fuzzIni},
        {"profile", fuzzProfile},
        {"confimport", fuzzConfigImport},
        {"macro", fuzzMacro},
        {"description", fuzzDescription},
        {"exchange", fuzzExchange},
        {"png", fuzzPng},
        {"recordimage", fuzzRecordImage},
    };
    return targets;
}

const FuzzTarget *findFuzzTarget(const char *name)
{
    for (const FuzzTarget &target : fuzzTargets()) {
        if (std::strcmp(target.name, name) == 0)
            return &target;
    }
    return nullptr;
}
