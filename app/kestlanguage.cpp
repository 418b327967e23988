// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestlanguage.h"

#include <QCoreApplication>

#include "app/kestcanvas.h"
#include "buttons/keys/keytable.h"
#include "store/appdir.h"
#include "store/devicedescription.h"
#include "widgets/kestmenu.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"

KestLanguage::KestLanguage(KestCanvas &canvas, QObject *parent)
    : QObject(parent)
    , m_canvas(canvas)
    , m_languages(readLanguageList())
    , m_index(readLanguage())
    , m_frenchLanguage(readFrench())
{
    m_button = canvas.button(KestCanvas::pictures({"lang.png"}), QRect(300, 580, 100, 20));
    m_menu = new KestMenu(&canvas.window());
    connect(m_menu, &QMenu::triggered, this, [this](QAction *action) { choose(action->data().toInt()); });
    connect(m_button, &QPushButton::clicked, this,
            [this] { m_menu->popup(m_button->mapToGlobal(QPoint(0, 0))); });
    const int count = qBound(0, m_languages.count, int(LANGUAGE_SLOTS));
    for (int i = 0; i < count; ++i) {
        auto *action = new KestAction(m_languages.names[size_t(i)], m_menu);
        action->setData(i);
        m_menu->addAction(action);
    }
    m_button->setVisible(m_languages.count >= 2);
}

void KestLanguage::loadCurrent()
{
    load(m_index);
}

bool KestLanguage::load(int index)
{
    // Key names follow the language too: the French keyboard's names only where the
    // description says which language is French.
    setActiveKeyNameSet(keyNameSetFor(m_frenchLanguage, index));
    if (index < 0 || index >= LANGUAGE_SLOTS || m_languages.files[size_t(index)].isEmpty())
        return false;
    const QString file = applicationDir() + QStringLiteral("/lang/") + m_languages.files[size_t(index)]
                         + QStringLiteral(".qm");
    if (m_translatorInstalled) {
        QCoreApplication::removeTranslator(&m_translator);
        m_translatorInstalled = false;
    }
    if (!m_translator.load(file))
        return false;
    m_translatorInstalled = QCoreApplication::installTranslator(&m_translator);
    return m_translatorInstalled;
}

void KestLanguage::choose(int index)
{
    if (index < 0 || index >= LANGUAGE_SLOTS)
        return;
    m_index = index;
    const KestFileResult saved = writeLanguage(index);
    m_button->setText(m_languages.names[size_t(index)]);
    // An entry without a file returns to the built-in English texts. The toolkit also
    // posts LanguageChange to the window; setting the texts now avoids a stale frame.
    load(index);
    emit chosen();
    if (!saved.isOk()) {
        // Shown in the language chosen: the next start would come up in the old one.
        KestMessageBox box(KestMessageBox::Warning, QString(),
                           QCoreApplication::translate("MousecfgWidget", "Warning"), saved.text(),
                           &m_canvas.window());
        box.exec();
    }
}

void KestLanguage::retranslate()
{
    if (m_index >= 0 && m_index < LANGUAGE_SLOTS)
        m_button->setText(m_languages.names[size_t(m_index)]);
}
