#include "widgets/kestskin.h"

#include <optional>

#include <QApplication>

#include "store/appdir.h"
#include "store/appsettings.h"

namespace {
double g_scaleFactor = 1.0;
std::optional<QColor> g_themeColor;
int g_colorMode = 0;
} // namespace

QString skinPath(const QString &name)
{
    const QString relative = name.startsWith(QLatin1Char('/')) ? name.mid(1) : name;
    return applicationDir() + QStringLiteral("/skin/") + relative;
}

double scaleFactor()
{
    return g_scaleFactor;
}

void setScaleFactor(double factor)
{
    g_scaleFactor = factor > 0.0 ? factor : 1.0;
}

int scaled(int designPixels)
{
    return static_cast<int>(designPixels * g_scaleFactor);
}

int scaled(double designPixels)
{
    return static_cast<int>(designPixels * g_scaleFactor);
}

QColor themeColor()
{
    if (!g_themeColor)
        g_themeColor = readThemeColor();
    return *g_themeColor;
}

void setThemeColor(const QColor &color)
{
    g_themeColor = color;
}

int colorMode()
{
    return g_colorMode;
}

void setColorMode(int mode)
{
    g_colorMode = mode;
}

QFont languageFont(int fixedPixelSize, int decrement)
{
    const LanguageFont configured = readCurrentLanguageFont();
    QFont font = QApplication::font();
    if (!configured.family.isEmpty())
        font.setFamily(configured.family);
    int pixels = fixedPixelSize > 0 ? fixedPixelSize : static_cast<int>(configured.pixelSize);
    if (pixels <= 0)
        pixels = kFallbackFontPixels;
    pixels -= decrement;
    font.setPixelSize(qMax(1, static_cast<int>(pixels * g_scaleFactor)));
    return font;
}

QString menuStyleSheet(const QColor &accent)
{
    const QString a = accent.name(QColor::HexRgb);
    return QStringLiteral(
               "QMenu{background-color:rgb(50,50,50);border:none;}"
               "QMenu::item{text-align:center;color:rgb(255,255,255);"
               "background-color:rgb(50,50,50);margin:0px;"
               "padding-top:0px;padding-bottom:0px;padding-left:20px;padding-right:20px;}"
               "QMenu::item:selected{border:1px solid %1;}"
               "QMenu::item:pressed{color:rgb(0,0,0);background-color:%1;}")
        .arg(a);
}

QString menuStyleSheet()
{
    return menuStyleSheet(themeColor());
}
