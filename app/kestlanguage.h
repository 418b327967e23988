// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QTranslator>

#include "store/appsettings.h"

class KestCanvas;
class KestMenu;
class KestPushButton;

// The language of the utility: the languages the application folder offers, the button
// and menu that choose one, and the translator of the one chosen. A choice is stored for
// the next start and takes effect at once.
class KestLanguage final : public QObject
{
    Q_OBJECT

public:
    explicit KestLanguage(KestCanvas &canvas, QObject *parent = nullptr);

    int index() const { return m_index; }
    int count() const { return m_languages.count; }
    KestPushButton *button() const { return m_button; }

    // Installs the stored language's translations.
    void loadCurrent();
    // As choosing entry `index` of the language menu.
    void choose(int index);
    void retranslate();

signals:
    // A language was chosen and its translations installed; the texts must follow.
    void chosen();

private:
    bool load(int index);

    KestCanvas &m_canvas;
    KestPushButton *m_button = nullptr;
    KestMenu *m_menu = nullptr;
    LanguageList m_languages;
    int m_index = 0;
    int m_frenchLanguage = -1; // the language index the French key names belong to
    QTranslator m_translator;
    bool m_translatorInstalled = false;
};
