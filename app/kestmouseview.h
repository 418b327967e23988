// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include <QObject>
#include <QPixmap>

class QLabel;
class KestCanvas;
class KestLightPreview;
class KestMouseCore;
class KestPushButton;
struct ProfileRecord;

// The picture of the mouse on the lighting and customize pages: the front or the side
// view, the button the user points at lit, or the lighting being edited played on it;
// the view buttons and the numbered markers on the mouse's buttons. A marker chosen here
// selects its button in the button list.
class KestMouseView final : public QObject
{
    Q_OBJECT

public:
    enum View : int { FrontView = 0, SideView = 1 };
    static constexpr int kMarkersPerView = 20;
    // The marker groups: a view's markers, or the two wheel arrows beside the picture.
    static constexpr int kArrowGroup = 2;

    KestMouseView(KestCanvas &canvas, KestMouseCore &core, QObject *parent = nullptr);

    int view() const { return m_view; }
    QLabel *pictureLabel() const { return m_picture; }
    QPixmap picture() const;
    KestPushButton *viewButton(int view) const { return m_viewButtons[size_t(view)]; }
    KestPushButton *marker(int view, int index) const { return m_markers[size_t(view)][size_t(index)]; }

    void showView(int view);
    // Which of the view's items the page shows.
    void showItems(bool picture, bool viewButtons, bool markers);
    // Marks marker `index` of `group` (a view or kArrowGroup), none for a group of -1.
    void highlight(int group, int index);
    // The mouse with button `number` (from 1) lit, or the plain picture again.
    void lightButton(int number, bool on);
    // The button list points at the button of marker `index` of the front view (or no
    // longer does): its marker is marked and the button lit.
    void pointAt(int index, bool on);
    // The pictures of the product the core talks to, at the window's scale.
    void loadPictures();
    // Where the product's front view is, for decoding it ahead.
    static QString frontPicturePath(const QString &product);
    // The wheel arrows of the product's kind.
    void refreshArrows();
    void setLighting(const ProfileRecord &record);
    // The lighting page shows the lighting played on the picture, which runs only while
    // someone can see it.
    void setLightingPage(bool shown, bool seen);
    void retranslate();

signals:
    // A marker was clicked: `group` is a view or kArrowGroup.
    void markerChosen(int group, int index);

private:
    QPixmap productPicture(const QString &path) const;
    // The picture of the view shown; the side view's is decoded when first asked for.
    const QPixmap &viewPicture();

    KestCanvas &m_canvas;
    KestMouseCore &m_core;
    QLabel *m_picture = nullptr;
    QPixmap m_frontPicture;
    QPixmap m_sidePicture;
    QString m_loadedFor; // product and scale of the pictures held
    int m_view = FrontView;
    int m_shownMarkers = 0; // the model's buttons that have a marker
    std::array<KestPushButton *, 2> m_viewButtons{};
    std::array<std::array<KestPushButton *, kMarkersPerView>, 2> m_markers{};
    std::array<KestPushButton *, 2> m_arrows{};
    KestLightPreview *m_preview = nullptr;
    bool m_lightingPage = false;
};
