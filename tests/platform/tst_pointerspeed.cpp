// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/pointerspeed.h"
#include "platform/pointerspeed_backends.h"
#include "platform/logging.h"

using namespace pointerspeed;

Q_DECLARE_METATYPE(pointerspeed::Backend)

namespace {

// Keeps "schema key value" lines in $HOME/gsettings.db, as the real tool keeps a key;
// an unknown key fails like a missing schema.
const char kFakeGsettings[] = R"(#!/bin/sh
db="$HOME/gsettings.db"
touch "$db"
case "$1" in
set) grep -v "^$2 $3 " "$db" > "$db.new"; echo "$2 $3 $4" >> "$db.new"; mv "$db.new" "$db" ;;
get) line=$(grep "^$2 $3 " "$db") || { echo "No such key" >&2; exit 1; }; echo "${line##* }" ;;
*) exit 1 ;;
esac
)";

// Keeps "property value" lines in $HOME/xfconf.db for the channel "pointers" only.
const char kFakeXfconf[] = R"(#!/bin/sh
db="$HOME/xfconf.db"
touch "$db"
[ "$1 $2" = "-c pointers" ] || exit 1
shift 2
case "$1" in
-l) cut -d' ' -f1 "$db" ;;
-p) prop="$2"; shift 2
    case "$prop" in *[!A-Za-z0-9_/-]*) echo "Property name $prop is invalid" >&2; exit 1 ;; esac
    value=""
    while [ $# -gt 0 ]; do [ "$1" = "-s" ] && value="$2"; shift; done
    if [ -n "$value" ]; then
      grep -v "^$prop " "$db" > "$db.new"; echo "$prop $value" >> "$db.new"; mv "$db.new" "$db"
    else
      line=$(grep "^$prop " "$db") || exit 1; echo "${line##* }"
    fi ;;
*) exit 1 ;;
esac
)";

QStringList g_told;
QStringList g_printed;

void catchTold(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_printed << message;
    if (message.contains(QLatin1String("offers no pointer speed")))
        g_told << message;
}

// Counts what the backends say about sessions without a pointer speed, with the
// diagnostics turned on (as QT_LOGGING_RULES or mousecfgctl -v would) unless told not to.
struct ToldCounter
{
    explicit ToldCounter(bool diagnostics = true)
        : previous(qInstallMessageHandler(catchTold))
    {
        g_told.clear();
        g_printed.clear();
        desktop().setEnabled(QtDebugMsg, diagnostics);
    }
    ~ToldCounter()
    {
        desktop().setEnabled(QtDebugMsg, false);
        qInstallMessageHandler(previous);
    }
    static QLoggingCategory &desktop() { return const_cast<QLoggingCategory &>(lcDesktop()); }
    int count() const { return g_told.size(); }
    QtMessageHandler previous;
};

} // namespace

class TestPointerSpeed : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    void installTool(const char *name, const char *script)
    {
        QFile file(m_home.filePath(QStringLiteral("bin/") + QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(script);
        file.close();
        file.setPermissions(file.permissions() | QFile::ExeOwner);
    }

    QByteArray readHome(const QString &name)
    {
        QFile file(m_home.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void setSession(const char *desktop)
    {
        qputenv("XDG_CURRENT_DESKTOP", desktop);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QDir(m_home.path()).mkpath(QStringLiteral("bin"));
        installTool("gsettings", kFakeGsettings);
        installTool("xfconf-query", kFakeXfconf);
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
        qputenv("PATH", QFile::encodeName(m_home.filePath(QStringLiteral("bin"))) + ":/usr/bin:/bin");
        // No X server and no session bus: only the faked tools and files answer.
        qunsetenv("DISPLAY");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("XDG_SESSION_TYPE", "x11");
        setPointerSpeedDesktopAccess(true);
    }

    void init()
    {
        QFile::remove(m_home.filePath(QStringLiteral("gsettings.db")));
        QFile::remove(m_home.filePath(QStringLiteral("xfconf.db")));
        QFile::remove(m_home.filePath(QStringLiteral("config/kcminputrc")));
    }

    // Each desktop's own scale, as its settings document it, and the value its settings
    // daemon hands libinput as "no acceleration change" (libinput's 0).
    void mapping_endsAndNeutralAreTheDesktopsOwn_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::addColumn<double>("lowest");
        QTest::addColumn<double>("neutral");
        QTest::addColumn<double>("highest");
        // gsettings "speed" of both schemas: a double in [-1, 1], 0 the default.
        QTest::newRow("GNOME") << Backend::Gnome << -1.0 << 0.0 << 1.0;
        QTest::newRow("Cinnamon") << Backend::Cinnamon << -1.0 << 0.0 << 1.0;
        // motion-acceleration 1..10, mapped linearly onto libinput's -1..1.
        QTest::newRow("MATE") << Backend::Mate << 1.0 << 5.5 << 10.0;
        // kcminputrc PointerAcceleration / XLbInptPointerAcceleration: libinput's -1..1.
        QTest::newRow("KDE") << Backend::Kde << -1.0 << 0.0 << 1.0;
        // The Acceleration property 0.1..10; the settings helper hands libinput value / 5 - 1.
        QTest::newRow("Xfce") << Backend::Xfce << 0.1 << 5.0 << 10.0;
        // The X driver's "libinput Accel Speed": [-1, 1], 0 the default.
        QTest::newRow("X11") << Backend::X11 << -1.0 << 0.0 << 1.0;
    }

    void mapping_endsAndNeutralAreTheDesktopsOwn()
    {
        QFETCH(Backend, backend);
        QFETCH(double, lowest);
        QFETCH(double, neutral);
        QFETCH(double, highest);
        const Range range = rangeOf(backend);
        QCOMPARE(toBackend(kMinSpeed, range), lowest);
        QCOMPARE(toBackend(kNeutralSpeed, range), neutral);
        QCOMPARE(toBackend(kMaxSpeed, range), highest);
        QCOMPARE(toBackend(0, range), lowest);
        QCOMPARE(toBackend(99, range), highest);
        QCOMPARE(fromBackend(neutral, range), kNeutralSpeed);
        for (int speed = kMinSpeed; speed <= kMaxSpeed; ++speed) {
            QCOMPARE(fromBackend(toBackend(speed, range), range), speed);
            if (speed > kMinSpeed)
                QVERIFY(toBackend(speed, range) > toBackend(speed - 1, range));
        }
        // Values another program stored outside the scale are clamped, not wrapped.
        QCOMPARE(fromBackend(highest + 50, range), kMaxSpeed);
        QCOMPARE(fromBackend(lowest - 50, range), kMinSpeed);
        QCOMPARE(fromBackend(qQNaN(), range), kNeutralSpeed);
    }

    void session_choosesBackend_data()
    {
        QTest::addColumn<QString>("desktops");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<Backend>("expected");
        QTest::newRow("ubuntu") << "ubuntu:GNOME" << "wayland" << true << Backend::Gnome;
        QTest::newRow("budgie") << "Budgie:GNOME" << "x11" << true << Backend::Gnome;
        QTest::newRow("cinnamon") << "X-Cinnamon" << "x11" << true << Backend::Cinnamon;
        QTest::newRow("mate") << "MATE" << "x11" << true << Backend::Mate;
        QTest::newRow("plasma wayland") << "KDE" << "wayland" << false << Backend::Kde;
        QTest::newRow("xfce") << "XFCE" << "x11" << true << Backend::Xfce;
        QTest::newRow("i3 on x11") << "i3" << "x11" << true << Backend::X11;
        QTest::newRow("plain x") << "" << "" << true << Backend::X11;
        QTest::newRow("sway") << "sway" << "wayland" << true << Backend::None;
        QTest::newRow("console") << "" << "tty" << false << Backend::None;
    }

    void session_choosesBackend()
    {
        QFETCH(QString, desktops);
        QFETCH(QString, type);
        QFETCH(bool, x11);
        QFETCH(Backend, expected);
        QCOMPARE(backendFor(desktops, type, x11), expected);
    }

    void gsettingsDesktops_roundTrip_data()
    {
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("neutral");
        QTest::newRow("gnome") << QByteArray("GNOME") << QByteArray("org.gnome.desktop.peripherals.mouse speed")
                               << QByteArray("0.0000");
        QTest::newRow("cinnamon") << QByteArray("X-Cinnamon")
                                  << QByteArray("org.cinnamon.desktop.peripherals.mouse speed")
                                  << QByteArray("0.0000");
        QTest::newRow("mate") << QByteArray("MATE")
                              << QByteArray("org.mate.peripherals-mouse motion-acceleration")
                              << QByteArray("5.5000");
    }

    void gsettingsDesktops_roundTrip()
    {
        QFETCH(QByteArray, desktop);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, neutral);
        setSession(desktop);
        QVERIFY(!desktopPointerSpeed()); // nothing stored yet: the tool fails
        for (int speed : {1, 7, 10, 13, 20}) {
            QCOMPARE(setPointerSpeed(speed), 0);
            QCOMPARE(pointerSpeed(), speed);
        }
        QCOMPARE(setPointerSpeed(10), 0);
        QCOMPARE(readHome(QStringLiteral("gsettings.db")).trimmed(), key + ' ' + neutral);
    }

    void mate_systemDefault_readsAsNeutral()
    {
        setSession("MATE");
        QFile db(m_home.filePath(QStringLiteral("gsettings.db")));
        QVERIFY(db.open(QIODevice::WriteOnly));
        db.write("org.mate.peripherals-mouse motion-acceleration -1.0\n");
        db.close();
        QCOMPARE(desktopPointerSpeed(), std::optional<int>(kNeutralSpeed));
    }

    void gsettings_thatStoresNothing_isNotTrusted()
    {
        // gsettings without a session bus: success, and the old value stays.
        installTool("gsettings", "#!/bin/sh\n[ \"$1\" = get ] && echo 0.25\nexit 0\n");
        setSession("GNOME");
        QCOMPARE(setPointerSpeed(3), kNotStored);
        QCOMPARE(pointerSpeed(), 3);
        QVERIFY(!desktopPointerSpeed());
        installTool("gsettings", kFakeGsettings);
    }

    void xfce_setsEveryMouse_andReadsItBack()
    {
        setSession("XFCE");
        // No device in the channel and no X server to name one: nothing to set, said once.
        {
            ToldCounter told;
            QCOMPARE(setPointerSpeed(12), kNoDevice);
            QCOMPARE(setPointerSpeed(13), kNoDevice);
            QCOMPARE(told.count(), 1);
            QVERIFY(g_told.first().contains(QStringLiteral("for any connected mouse")));
        }

        QFile db(m_home.filePath(QStringLiteral("xfconf.db")));
        QVERIFY(db.open(QIODevice::WriteOnly));
        db.write("/Gaming_Mouse/RightHanded true\n/Laptop_Touchpad/Acceleration 2.0\n"
                 "/Second_Mouse/Acceleration 9.0\n");
        db.close();
        for (int speed : {1, 10, 14, 20}) {
            QCOMPARE(setPointerSpeed(speed), 0);
            QCOMPARE(pointerSpeed(), speed);
        }
        QCOMPARE(setPointerSpeed(10), 0);
        const QByteArray stored = readHome(QStringLiteral("xfconf.db"));
        QVERIFY2(stored.contains("/Gaming_Mouse/Acceleration 5.000"), stored);
        QVERIFY2(stored.contains("/Second_Mouse/Acceleration 5.000"), stored);
        // The touchpad keeps its own speed.
        QVERIFY2(stored.contains("/Laptop_Touchpad/Acceleration 2.0"), stored);
    }

    void xfce_deviceTheToolRefuses_failsTheWrite_butNotTheOtherMice()
    {
        setSession("XFCE");
        QFile db(m_home.filePath(QStringLiteral("xfconf.db")));
        QVERIFY(db.open(QIODevice::WriteOnly));
        db.write("/Odd(Mouse)/Acceleration 1.0\n/Gaming_Mouse/Acceleration 9.0\n");
        db.close();
        QVERIFY(setPointerSpeed(10) > 0);
        const QByteArray stored = readHome(QStringLiteral("xfconf.db"));
        QVERIFY2(stored.contains("/Gaming_Mouse/Acceleration 5.000"), stored);
        // Not taken everywhere: what the desktop holds is not the truth any more.
        QCOMPARE(pointerSpeed(), 10);
        QVERIFY(!desktopPointerSpeed());
        QVERIFY(db.open(QIODevice::WriteOnly));
        db.write("/Gaming_Mouse/Acceleration 9.0\n");
        db.close();
        QCOMPARE(setPointerSpeed(10), 0);
    }

    void xfce_namesDevicesAsXfceDoes_data()
    {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("xfconf");
        QTest::newRow("spaces") << "Gaming Mouse" << "Gaming_Mouse";
        QTest::newRow("dot") << "2.4G Wireless Receiver" << "24G_Wireless_Receiver";
        QTest::newRow("brackets and colon") << "USB Mouse (Gaming): v2" << "USB_Mouse_Gaming_v2";
        QTest::newRow("kept") << "my-mouse_2" << "my-mouse_2";
        QTest::newRow("not ASCII") << QString::fromUtf8("Souris \xc3\xa9l\xc3\xa9gante") << "Souris_lgante";
    }

    void xfce_namesDevicesAsXfceDoes()
    {
        QFETCH(QString, x);
        QFETCH(QString, xfconf);
        QCOMPARE(detail::xfconfDeviceName(x), xfconf);
    }

    void kde_writesSettingsFile_andKeepsTheRest()
    {
        setSession("KDE");
        QDir().mkpath(m_home.filePath(QStringLiteral("config")));
        QFile rc(m_home.filePath(QStringLiteral("config/kcminputrc")));
        QVERIFY(rc.open(QIODevice::WriteOnly));
        rc.write("[Keyboard]\nRepeatRate=25\n\n[Mouse]\ncursorTheme=breeze\n"
                 "XLbInptPointerAcceleration=0.6\n\n[Tmp]\nupdate=1\n");
        rc.close();
        QCOMPARE(pointerSpeed(), 16);
        for (int speed : {1, 5, 10, 19, 20}) {
            QCOMPARE(setPointerSpeed(speed), 0);
            QCOMPARE(pointerSpeed(), speed);
        }
        QCOMPARE(setPointerSpeed(15), 0);
        QCOMPARE(readHome(QStringLiteral("config/kcminputrc")),
                 QByteArray("[Keyboard]\nRepeatRate=25\n\n[Mouse]\ncursorTheme=breeze\n"
                            "XLbInptPointerAcceleration=0.500\n\n[Tmp]\nupdate=1\n"));
    }

    void kde_withoutSettingsFile_isNeutral_andCreatesIt()
    {
        setSession("KDE");
        QCOMPARE(pointerSpeed(), kNeutralSpeed);
        QCOMPARE(setPointerSpeed(1), 0);
        QCOMPARE(readHome(QStringLiteral("config/kcminputrc")),
                 QByteArray("[Mouse]\nXLbInptPointerAcceleration=-1.000\n"));
    }

    void kconfig_groupsWithSubgroups()
    {
        using detail::kconfigValue;
        using detail::withKconfigValue;
        const QStringList device{QStringLiteral("Libinput"), QStringLiteral("1133"),
                                 QStringLiteral("49291"), QStringLiteral("Gaming Mouse")};
        QByteArray text("[Libinput][1133][49291][Gaming Mouse]\nNaturalScroll=false\n\n[Mouse]\nX=1\n");
        text = withKconfigValue(text, device, QStringLiteral("PointerAcceleration"), QStringLiteral("0.200"));
        QCOMPARE(text, QByteArray("[Libinput][1133][49291][Gaming Mouse]\nNaturalScroll=false\n"
                                  "PointerAcceleration=0.200\n\n[Mouse]\nX=1\n"));
        QCOMPARE(kconfigValue(text, device, QStringLiteral("PointerAcceleration")), QStringLiteral("0.200"));
        // Same key in another group is another value.
        QCOMPARE(kconfigValue(text, {QStringLiteral("Mouse")}, QStringLiteral("PointerAcceleration")), QString());
        QCOMPARE(kconfigValue(text, {QStringLiteral("Mouse")}, QStringLiteral("X")), QStringLiteral("1"));
    }

    void sessionWithoutSetting_keepsValueInProcess_silently()
    {
        setSession("sway");
        qputenv("XDG_SESSION_TYPE", "wayland");
        // An ordinary start: the diagnostics are off and nothing reaches stderr.
        ToldCounter told(false);
        QCOMPARE(setPointerSpeed(4), kUnsupported);
        QCOMPARE(setPointerSpeed(6), kUnsupported);
        QCOMPARE(g_printed, QStringList());
        QCOMPARE(pointerSpeed(), 6);
        QVERIFY(!desktopPointerSpeed());
        qputenv("XDG_SESSION_TYPE", "x11");
    }

    void x11_withoutDisplay_hasNoDevice()
    {
        QVERIFY(detail::x11PointerDevices().isEmpty());
        QCOMPARE(detail::x11Write(0.5), kUnsupported);
    }
};

QTEST_GUILESS_MAIN(TestPointerSpeed)
#include "tst_pointerspeed.moc"
