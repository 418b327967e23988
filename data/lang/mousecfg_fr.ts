<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>ButtonBinding</name>
    <message>
        <location filename="../../buttons/buttonassign.cpp" line="+107"/>
        <source>Left Ctrl</source>
        <translation>Ctrl gauche</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Left Shift</source>
        <translation>Maj gauche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Left Alt</source>
        <translation>Alt gauche</translation>
    </message>
    <message>
        <source>Left Windows</source>
        <translation type="vanished">Windows gauche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right Ctrl</source>
        <translation>Ctrl droit</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Right Shift</source>
        <translation>Maj droite</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right Alt</source>
        <translation>Alt droit</translation>
    </message>
    <message>
        <source>Right Windows</source>
        <translation type="vanished">Windows droit</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Left Super</source>
        <translation>Super gauche</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Right Super</source>
        <translation>Super droit</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>repeats while held</source>
        <translation>répété tant que le bouton est enfoncé</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>repeats until pressed again</source>
        <translation>répété jusqu&apos;au prochain appui</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>once</source>
        <translation>une fois</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 times</source>
        <translation>%1 fois</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Left button</source>
        <translation>Bouton gauche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right button</source>
        <translation>Bouton droit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Middle button</source>
        <translation>Bouton du milieu</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1, %2 shots, %3 ms apart</source>
        <translation>%1, %2 tirs, toutes les %3 ms</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Macro</source>
        <translation>Macro</translation>
    </message>
</context>
<context>
    <name>ButtonFunction</name>
    <message>
        <location filename="../../buttons/keys/functioncatalogue.cpp" line="+17"/>
        <source>Left</source>
        <translation>Clic gauche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right</source>
        <translation>Clic droit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Middle</source>
        <translation>Clic milieu</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SINGLE KEY</source>
        <translation>TOUCHE SIMPLE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>COMBO KEY</source>
        <translation>COMBINAISON</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FIRE KEY</source>
        <translation>TIR RAPIDE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Switch Window</source>
        <translation>Changer de fenêtre (Alt+Tab)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close Window</source>
        <translation>Fermer la fenêtre (Alt+F4)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>My Computer</source>
        <translation>Fichiers (Super+E)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Run</source>
        <translation>Super+R</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show Desktop</source>
        <translation>Afficher le bureau (Super+D)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lock PC</source>
        <translation>Verrouiller l’écran (Super+L)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Home</source>
        <translation>Web : accueil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Backward</source>
        <translation>Web : précédent</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Forward</source>
        <translation>Web : suivant</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Stop</source>
        <translation>Web : arrêter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Refresh</source>
        <translation>Web : actualiser</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Search</source>
        <translation>Web : rechercher</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Favorite</source>
        <translation>Web : favoris</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mail</source>
        <translation>Courrier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play/Pause</source>
        <translation>Lecture/Pause</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Previous Track</source>
        <translation>Piste précédente</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next Track</source>
        <translation>Piste suivante</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volume Up</source>
        <translation>Volume +</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volume Down</source>
        <translation>Volume -</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mute</source>
        <translation>Muet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Media Player</source>
        <translation>Lecteur multimédia</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI Switch</source>
        <translation>Changer de DPI</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI +</source>
        <translation>DPI +</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI -</source>
        <translation>DPI -</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rate +</source>
        <translation>Fréquence +</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rate -</source>
        <translation>Fréquence -</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scroll Up</source>
        <translation>Défiler vers le haut</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scroll Down</source>
        <translation>Défiler vers le bas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Led Switch</source>
        <translation>Changer d’éclairage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SNIPER</source>
        <translation>SNIPER</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Profile +</source>
        <translation>Profil +</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Profile -</source>
        <translation>Profil -</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Profile Switch</source>
        <translation>Changer de profil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Boss Key</source>
        <translation>Touche patron</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rate Switch</source>
        <translation>Changer de fréquence</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Basic</source>
        <translation>De base</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Windows</source>
        <translation>Bureau</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Advance</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Media</source>
        <translation>Multimédia</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Profile Menu</source>
        <translation>Profils</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Polling Rate</source>
        <translation>Fréquence</translation>
    </message>
</context>
<context>
    <name>KestBtnWindow</name>
    <message>
        <location filename="../../buttons/kestbuttonfunctionmenu.cpp" line="+116"/>
        <source>Macro Manager</source>
        <translation>Gestion des macros</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>MACRO SELECT</source>
        <translation>CHOIX DE MACRO</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The mouse holds twelve macros, and this profile already uses twelve.</source>
        <translation>La souris ne garde que douze macros, et ce profil en utilise déjà douze.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>THIS MACRO HAS MORE THAN %1 STEPS AND CANNOT BE ASSIGNED TO A BUTTON.</source>
        <translation>CETTE MACRO A PLUS DE %1 ÉTAPES ET NE PEUT PAS ÊTRE ASSIGNÉE À UN BOUTON.</translation>
    </message>
</context>
<context>
    <name>KestBusService</name>
    <message>
        <location filename="../../app/kestbusservice.cpp" line="+157"/>
        <source>The slot must be 0 to 4, not %1.</source>
        <translation>Le profil doit être entre 0 et 4, pas %1.</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>A write to the mouse is running.</source>
        <translation>Une écriture vers la souris est en cours.</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>The mouse did not confirm the switch to slot %1; the slot stays as it was.</source>
        <translation>La souris n&apos;a pas confirmé le passage au profil %1 ; le profil reste tel quel.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Slot %1 is selected, but the settings file could not be saved.</source>
        <translation>L’emplacement %1 est sélectionné, mais le fichier de réglages n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>The slot must be -1 (the current one) or 0 to 4, not %1.</source>
        <translation>Le profil doit être -1 (le profil actuel) ou entre 0 et 4, pas %1.</translation>
    </message>
    <message>
        <location line="+42"/>
        <location line="+64"/>
        <source>A dialog is open in the window: answer it first.</source>
        <translation>Une boîte de dialogue est ouverte dans la fenêtre : répondez-y d&apos;abord.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The window holds changes that were not applied: apply or drop them first.</source>
        <translation>La fenêtre contient des modifications non appliquées : appliquez-les ou abandonnez-les d&apos;abord.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The rule applies now but could not be saved in the settings file.</source>
        <translation>La règle s&apos;applique maintenant mais n&apos;a pas pu être enregistrée dans le fichier de réglages.</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>A rule needs a program name and a slot from 0 to 4, not &quot;%1&quot; and %2.</source>
        <translation>Une règle demande un nom de programme et un profil entre 0 et 4, pas « %1 » et %2.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>No more rules can be added.</source>
        <translation>Aucune règle ne peut plus être ajoutée.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>There is no rule for &quot;%1&quot;.</source>
        <translation>Il n’y a pas de règle pour « %1 ».</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The default slot must be -1 (none) or 0 to 4, not %1.</source>
        <translation>Le profil par défaut doit être -1 (aucun) ou entre 0 et 4, pas %1.</translation>
    </message>
</context>
<context>
    <name>KestColorArea</name>
    <message>
        <location filename="../../panels/kestcolorarea.cpp" line="+63"/>
        <location line="+17"/>
        <source>Color Edit</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>APPLY</source>
        <translation>APPLIQUER</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>KestColorWindow</name>
    <message>
        <location filename="../../panels/kestcolorwindow.cpp" line="+58"/>
        <source>OFF</source>
        <translation>ÉTEINT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FULL LIGHTED</source>
        <translation>FIXE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>7 COLOR</source>
        <translation>7 COULEURS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BREATHING</source>
        <translation>RESPIRATION</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>7 COLOR BREATHING</source>
        <translation>RESPIRATION 7 COUL.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RAINBOW</source>
        <translation>ARC-EN-CIEL</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>WAVE</source>
        <translation>VAGUE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Single WAVE</source>
        <translation>VAGUE simple</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>yo-yo</source>
        <translation>yo-yo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>7 COLOR with tail</source>
        <translation>7 COULEURS avec traîne</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>REACTIVE</source>
        <translation>RÉACTIF</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tri-color running</source>
        <translation>Défilement tricolore</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>EFFECT</source>
        <translation>EFFET</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BRIGHTNESS</source>
        <translation>LUMINOSITÉ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SPEED</source>
        <translation>VITESSE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>COLOR</source>
        <translation>COULEUR</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SLEEP TIME</source>
        <translation>MISE EN VEILLE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE TO LIGHT OFF</source>
        <translation>LE MOUVEMENT RALLUME</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+85"/>
        <source> MIN</source>
        <translation> MIN</translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation type="vanished"> MIN</translation>
    </message>
</context>
<context>
    <name>KestComboKeyWindow</name>
    <message>
        <location filename="../../buttons/kestcombokeywindow.cpp" line="+11"/>
        <source>Combo Key</source>
        <translation>Combinaison</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Hold the modifier keys and press the key</source>
        <translation>Maintenez les modificateurs et appuyez sur la touche</translation>
    </message>
</context>
<context>
    <name>KestCommandLine</name>
    <message>
        <location filename="../../app/kestcommandline.cpp" line="+26"/>
        <source>Usage: mousecfg [OPTION]...

Sets up the gaming mouse: DPI levels, report rate, buttons, lighting, macros and the
five onboard profile slots. Only one copy runs: a second start brings the running
window to the front.

Options:
  --hidden           start in the tray without showing the window, as at login and
                     when the session bus starts the program
  -platform NAME     the display platform: xcb (X11, also through XWayland) or
                     wayland; X11 where an X display exists
  -h, --help         this text
  --version          the version

The other options of Qt applications are accepted as well.

Exit status:
  0   the program ended normally
  1   another copy was already running; it was brought to the front
</source>
        <translation>Usage : mousecfg [OPTION]...

Règle la souris de jeu : niveaux DPI, fréquence de rapport, boutons, éclairage, macros et
les cinq emplacements de profil de la souris. Un seul exemplaire tourne : un second
lancement amène la fenêtre ouverte au premier plan.

Options :
  --hidden           démarrer dans la zone de notification sans montrer la fenêtre,
                     comme à l&apos;ouverture de session et quand le bus de session lance
                     le programme
  -platform NOM      la plateforme d&apos;affichage : xcb (X11, aussi par XWayland) ou
                     wayland ; X11 là où un écran X existe
  -h, --help         ce texte
  --version          la version

Les autres options des applications Qt sont acceptées aussi.

Code de sortie :
  0   le programme s&apos;est terminé normalement
  1   un autre exemplaire tournait déjà ; il a été amené au premier plan
</translation>
    </message>
</context>
<context>
    <name>KestDPIWindow</name>
    <message>
        <location filename="../../panels/kestdpiwindow.cpp" line="+51"/>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
</context>
<context>
    <name>KestDesktopBridge</name>
    <message>
        <location filename="../../app/kestdesktopbridge.cpp" line="+229"/>
        <source>Desktop &amp;notifications</source>
        <translation>&amp;Notifications du bureau</translation>
    </message>
</context>
<context>
    <name>KestDeviceAccess</name>
    <message>
        <location filename="../../device/discovery.cpp" line="+480"/>
        <source>The mouse is plugged in, but this user is not allowed to open it (%1).
Install the device access rules that come with the program (70-mousecfg.rules, in /usr/lib/udev/rules.d or /etc/udev/rules.d), then unplug the mouse and plug it in again.</source>
        <translation>La souris est branchée, mais cet utilisateur n’a pas le droit de l’ouvrir (%1).
Installez les règles d’accès fournies avec le programme (70-mousecfg.rules, dans /usr/lib/udev/rules.d ou /etc/udev/rules.d), puis débranchez et rebranchez la souris.</translation>
    </message>
</context>
<context>
    <name>KestFileResult</name>
    <message>
        <location filename="../../store/kestfileresult.cpp" line="+27"/>
        <source>it does not exist</source>
        <translation>il n&apos;existe pas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it cannot be read</source>
        <translation>il ne peut pas être lu</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it is larger than %1 MB</source>
        <translation>il dépasse %1 Mo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it holds binary data, not settings text</source>
        <translation>il contient des données binaires, pas du texte de réglages</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it holds far more entries than a settings file of this program</source>
        <translation>il contient bien plus d&apos;entrées qu&apos;un fichier de réglages de ce programme</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>a symbolic link or something other than a regular file stands in its place</source>
        <translation>un lien symbolique ou autre chose qu&apos;un fichier ordinaire se trouve à sa place</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it belongs to another user and this program runs as root; install the udev rule and run the program as yourself</source>
        <translation>il appartient à un autre utilisateur et ce programme tourne en tant que root ; installez la règle udev et lancez le programme sous votre propre compte</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>there is no space left on the disk</source>
        <translation>il n&apos;y a plus de place sur le disque</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it could not be written</source>
        <translation>il n&apos;a pas pu être écrit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it would hold more than this program reads back</source>
        <translation>il contiendrait plus que ce que ce programme peut relire</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>its name is empty, too long or holds a path separator</source>
        <translation>son nom est vide, trop long ou contient un séparateur de chemin</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The file &quot;%1&quot; was not saved: %2.</source>
        <translation>Le fichier « %1 » n&apos;a pas été enregistré : %2.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The file &quot;%1&quot; was not used: %2.</source>
        <translation>Le fichier « %1 » n&apos;a pas été utilisé : %2.</translation>
    </message>
</context>
<context>
    <name>KestFireKeyWindow</name>
    <message>
        <location filename="../../buttons/kestfirekeywindow.cpp" line="+31"/>
        <source>FireKey Setting</source>
        <translation>Réglage du tir rapide</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Right</source>
        <translation>Droit</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Middle</source>
        <translation>Milieu</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Keyboard Key</source>
        <translation>Touche clavier</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Times:</source>
        <translation>Nombre :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delay:</source>
        <translation>Délai :</translation>
    </message>
</context>
<context>
    <name>KestGunsetDialog</name>
    <message>
        <location filename="../../macro/kestgunsetdialog.cpp" line="+43"/>
        <source>Gun Set</source>
        <translation>Recul</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>GUN SET</source>
        <translation>RECUL</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>GUNFILE NAME</source>
        <translation>NOM DU FICHIER</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>BULLETS</source>
        <translation>BALLES</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DELAY(MS)</source>
        <translation>DÉLAI(MS)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>HORIZONTAL</source>
        <translation>HORIZONTAL</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>VERTICAL</source>
        <translation>VERTICAL</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="vanished">Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation type="vanished">Non</translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+7"/>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>Please input file name.</source>
        <translation>Veuillez saisir un nom de fichier.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>This name cannot be used for a macro file.</source>
        <translation>Ce nom ne peut pas être utilisé pour un fichier de macro.</translation>
    </message>
</context>
<context>
    <name>KestMacroItemDelegate</name>
    <message>
        <location filename="../../macro/kestmacroitemdelegate.cpp" line="+24"/>
        <source>LEFT CLICK</source>
        <translation>CLIC GAUCHE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RIGHT CLICK</source>
        <translation>CLIC DROIT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MIDDLE CLICK</source>
        <translation>CLIC MILIEU</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FORWARD</source>
        <translation>SUIVANT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BACKWARD</source>
        <translation>PRÉCÉDENT</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>MOVE LEFT</source>
        <translation>DÉPL. GAUCHE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE RIGHT</source>
        <translation>DÉPL. DROITE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE UP</source>
        <translation>DÉPL. HAUT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE DOWN</source>
        <translation>DÉPL. BAS</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Press</source>
        <translation>Appui</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Release</source>
        <translation>Relâche</translation>
    </message>
</context>
<context>
    <name>KestMacroSelect</name>
    <message>
        <source>Yes</source>
        <translation type="vanished">Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation type="vanished">Non</translation>
    </message>
    <message>
        <location filename="../../buttons/kestmacroselect.cpp" line="+26"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>LOOPS TIME(1-255)</source>
        <translation>RÉPÉTITIONS(1-255)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>RÉPÉTER TANT QU’APPUYÉ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>REPEAT RUN UNTILL THE KEY DOWN</source>
        <translation>RÉPÉTER JUSQU’AU PROCHAIN APPUI</translation>
    </message>
</context>
<context>
    <name>KestMessageBox</name>
    <message>
        <location filename="../../widgets/kestmessagebox.cpp" line="+98"/>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="vanished">OK</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Discard</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>KestMouseCore</name>
    <message>
        <location filename="../../core/kestmousecore.cpp" line="+293"/>
        <source>A write to the mouse or a slot switch is running.</source>
        <translation>Une écriture vers la souris ou un changement de profil est en cours.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The window holds changes that were not applied: apply or drop them first.</source>
        <translation>La fenêtre contient des modifications non appliquées : appliquez-les ou abandonnez-les d&apos;abord.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The window holds changes to slot %1 that were not applied: apply or drop them first.</source>
        <translation>La fenêtre contient des modifications non appliquées du profil %1 : appliquez-les ou abandonnez-les d&apos;abord.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Slot %1 has no profile file to save into.</source>
        <translation>Le profil %1 n&apos;a pas de fichier où être enregistré.</translation>
    </message>
    <message>
        <location line="+101"/>
        <location line="+168"/>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <location line="-27"/>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
</context>
<context>
    <name>KestNameDialog</name>
    <message>
        <location filename="../../widgets/kestnamedialog.cpp" line="+32"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>KestNotices</name>
    <message>
        <location filename="../../core/kestnotices.cpp" line="+85"/>
        <source>Mouse battery almost empty</source>
        <translation>Batterie de la souris presque vide</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1% left. Connect the cable to keep using the mouse.</source>
        <translation>Il reste %1 %. Branchez le câble pour continuer à utiliser la souris.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Mouse battery low</source>
        <translation>Batterie de la souris faible</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1% left.</source>
        <translation>Il reste %1 %.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Mouse connected</source>
        <translation>Souris connectée</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Mouse disconnected</source>
        <translation>Souris déconnectée</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Profile %1 not switched</source>
        <translation>Profil %1 non changé</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The mouse did not confirm the profile switch.</source>
        <translation>La souris n’a pas confirmé le changement de profil.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Settings not written</source>
        <translation>Réglages non écrits</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The mouse did not take the settings; they are kept on this computer.</source>
        <translation>La souris n’a pas pris les réglages ; ils restent conservés sur cet ordinateur.</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation type="vanished">L&apos;envoi des données a échoué, veuillez réessayer.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Settings not saved</source>
        <translation>Réglages non enregistrés</translation>
    </message>
</context>
<context>
    <name>KestPointSpeed</name>
    <message>
        <location filename="../../panels/kestpointspeed.cpp" line="+102"/>
        <source>Key Response</source>
        <translation>Anti-rebond</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SCROLL SPEED</source>
        <translation>DÉFILEMENT</translation>
    </message>
    <message>
        <location line="-34"/>
        <source>Enable sync</source>
        <translation>Synchro</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+2"/>
        <location line="+1"/>
        <source>ON</source>
        <translation>OUI</translation>
    </message>
    <message>
        <location line="-3"/>
        <location line="+2"/>
        <location line="+1"/>
        <source>OFF</source>
        <translation>NON</translation>
    </message>
    <message>
        <source>Lift Distance</source>
        <translation type="vanished">Dist. levée</translation>
    </message>
    <message>
        <source>1mm</source>
        <translation type="vanished">1mm</translation>
    </message>
    <message>
        <source>2mm</source>
        <translation type="vanished">2mm</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Lift-off Distance</source>
        <translation>Levée</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>1 mm</source>
        <translation>1mm</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>2 mm</source>
        <translation>2mm</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Angle Snapping</source>
        <translation>Corr. d’angle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Jitter</source>
        <translation>Lissage</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Mouse Setting</source>
        <translation>Réglages souris</translation>
    </message>
    <message>
        <location line="+152"/>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No mouse settings program of this desktop was found.</source>
        <translation>Aucun programme de réglage de la souris n’a été trouvé pour ce bureau.</translation>
    </message>
</context>
<context>
    <name>KestProfileManager</name>
    <message>
        <location filename="../../app/kestapplyflow.cpp" line="+27"/>
        <source>Wheel up</source>
        <translation>Molette vers le haut</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Wheel down</source>
        <translation>Molette vers le bas</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button %1</source>
        <translation>Bouton %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The mouse holds twelve macros. These buttons got no macro: %1.</source>
        <translation>La souris ne garde que douze macros. Ces boutons n’ont reçu aucune macro : %1.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>No mouse was found, so the settings were not sent.</source>
        <translation>Aucune souris n&apos;a été trouvée : les réglages n&apos;ont pas été envoyés.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The mouse did not answer, so it may not hold the new settings.</source>
        <translation>La souris n&apos;a pas répondu : elle n&apos;a peut-être pas reçu les nouveaux réglages.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Writing to the mouse failed, so it may not hold the new settings.</source>
        <translation>L&apos;écriture vers la souris a échoué : elle n&apos;a peut-être pas reçu les nouveaux réglages.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The mouse holds the new settings, but they could not be saved on this computer.</source>
        <translation>La souris a reçu les nouveaux réglages, mais ils n&apos;ont pas pu être enregistrés sur cet ordinateur.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>They are kept on this computer.</source>
        <translation>Ils sont conservés sur cet ordinateur.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>They could not be saved on this computer either.</source>
        <translation>Ils n&apos;ont pas non plus pu être enregistrés sur cet ordinateur.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your changes stay in this window.</source>
        <translation>Vos modifications restent dans cette fenêtre.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Plug in the receiver or the cable. If it is plugged in, install the access rule described in the README. Then press Apply again.</source>
        <translation>Branchez le récepteur ou le câble. S&apos;il est branché, installez la règle d&apos;accès décrite dans le README. Puis appuyez de nouveau sur Appliquer.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Switch the mouse on, bring it nearer the receiver or close other programs that use it, then press Apply again.</source>
        <translation>Allumez la souris, rapprochez-la du récepteur ou fermez les autres programmes qui l&apos;utilisent, puis appuyez de nouveau sur Appliquer.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Check that the receiver or the cable is plugged in, then press Apply again.</source>
        <translation>Vérifiez que le récepteur ou le câble est branché, puis appuyez de nouveau sur Appliquer.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Make room on the disk or mend the file, then press Apply again.</source>
        <translation>Libérez de la place sur le disque ou réparez le fichier, puis appuyez de nouveau sur Appliquer.</translation>
    </message>
    <message>
        <location line="+104"/>
        <source>The configuration was saved to &quot;%1&quot;.</source>
        <translation>La configuration a été enregistrée dans « %1 ».</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation type="vanished">Échec de l’envoi des données, veuillez réessayer.</translation>
    </message>
    <message>
        <location line="-24"/>
        <source>Are you sure you want reset this profile?</source>
        <translation>Voulez-vous vraiment réinitialiser ce profil ?</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Are you sure you want reset all profiles?</source>
        <translation>Voulez-vous vraiment réinitialiser tous les profils ?</translation>
    </message>
    <message>
        <source>The file could not be saved.</source>
        <translation type="vanished">Le fichier n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <location filename="../../app/kestprofilemanager.cpp" line="+95"/>
        <source>The file is not match current mouse!</source>
        <translation>Ce fichier ne correspond pas à la souris actuelle !</translation>
    </message>
    <message>
        <location filename="../../app/kestapplyflow.cpp" line="+30"/>
        <source>Save Config File</source>
        <translation>Enregistrer la configuration</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+10"/>
        <source>Config File(*.conf)</source>
        <translation>Fichier de configuration (*.conf)</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Load Config File</source>
        <translation>Charger une configuration</translation>
    </message>
    <message>
        <location filename="../../app/kestdesktopbridge.cpp" line="-63"/>
        <location filename="../../app/kestprofilemanager.cpp" line="+38"/>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <location filename="../../app/kestprofilemanager.cpp" line="-47"/>
        <source>AT LEAST ONE PROFILE TO BE RETAINED.</source>
        <translation>AU MOINS UN PROFIL DOIT ÊTRE CONSERVÉ.</translation>
    </message>
    <message>
        <source>The default Profile cannot be deleted or renamed.</source>
        <translation type="vanished">Le profil par défaut ne peut être ni supprimé ni renommé.</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>Are you sure you want delete this profile?</source>
        <translation>Voulez-vous vraiment supprimer ce profil ?</translation>
    </message>
    <message>
        <location line="-84"/>
        <source>This name cannot be used for a profile.</source>
        <translation>Ce nom ne peut pas être utilisé pour un profil.</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>New profile</source>
        <translation>Nouveau profil</translation>
    </message>
    <message>
        <source>Name of the new profile:</source>
        <translation type="vanished">Nom du nouveau profil :</translation>
    </message>
    <message>
        <location line="-27"/>
        <source>Apply the changes to %1 first?</source>
        <translation>Appliquer d&apos;abord les modifications de %1 ?</translation>
    </message>
    <message>
        <location line="-34"/>
        <source>Profile Exist!</source>
        <translation>Ce profil existe déjà !</translation>
    </message>
    <message>
        <location line="-41"/>
        <source>Start from the current settings instead</source>
        <translation>Partir plutôt des réglages actuels</translation>
    </message>
    <message>
        <location line="+91"/>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Add puts a new profile with the default settings in this slot, in place of &quot;%1&quot;, which stays in the library. Name of the new profile:</source>
        <translation>Ajouter place dans cet emplacement un nouveau profil aux réglages par défaut, à la place de « %1 », qui reste dans la bibliothèque. Nom du nouveau profil :</translation>
    </message>
    <message>
        <location line="-56"/>
        <source>The default Profile cannot be deleted.</source>
        <translation>Le profil par défaut ne peut pas être supprimé.</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Copy profile</source>
        <translation>Copier le profil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This slot will show the copy of &quot;%1&quot;. Name of the copy:</source>
        <translation>Cet emplacement affichera la copie de « %1 ». Nom de la copie :</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Profile name</source>
        <translation>Nom du profil</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&quot;%1&quot; stays as it is; this slot&apos;s settings are kept under the new name. Name:</source>
        <translation>« %1 » reste tel quel ; les réglages de cet emplacement sont conservés sous le nouveau nom. Nom :</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name of the profile in this slot:</source>
        <translation>Nom du profil de cet emplacement :</translation>
    </message>
    <message>
        <location line="-114"/>
        <source>Profile is Already Used!</source>
        <translation>Ce profil est déjà utilisé !</translation>
    </message>
    <message>
        <location line="+147"/>
        <source>The profile was saved to &quot;%1&quot;.</source>
        <translation>Le profil a été enregistré dans « %1 ».</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Load Profile File</source>
        <translation>Charger un fichier de profil</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+8"/>
        <source>Profile File(*.prof)</source>
        <translation>Fichier de profil (*.prof)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Save Profile File</source>
        <translation>Enregistrer le fichier de profil</translation>
    </message>
</context>
<context>
    <name>KestReportRate</name>
    <message>
        <source>125 HZ</source>
        <translation type="vanished">125 HZ</translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation type="vanished">250 HZ</translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation type="vanished">500 HZ</translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation type="vanished">1000 HZ</translation>
    </message>
    <message>
        <source>125 Hz</source>
        <translation type="vanished">125 Hz</translation>
    </message>
    <message>
        <source>250 Hz</source>
        <translation type="vanished">250 Hz</translation>
    </message>
    <message>
        <source>500 Hz</source>
        <translation type="vanished">500 Hz</translation>
    </message>
    <message>
        <source>1000 Hz</source>
        <translation type="vanished">1000 Hz</translation>
    </message>
    <message>
        <location filename="../../panels/kestreportrate.cpp" line="+19"/>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>REPORT RATE</source>
        <translation>FRÉQUENCE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lift off Distance</source>
        <translation>Distance de levée</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 mm</source>
        <translation>1 mm</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2 mm</source>
        <translation>2 mm</translation>
    </message>
</context>
<context>
    <name>KestRulesDialog</name>
    <message>
        <location filename="../../app/kestrulesdialog.cpp" line="+48"/>
        <source>Profiles by program</source>
        <translation>Profils par programme</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Switch the profile with the program in front</source>
        <translation>Changer de profil selon le programme au premier plan</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Window class or program</source>
        <translation>Classe ou programme</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Every other program:</source>
        <translation>Tous les autres programmes :</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Leave the profile as it is</source>
        <translation>Laisser le profil tel quel</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>This session does not tell which program is in front: the rules are kept, but the profile does not follow the focus.</source>
        <translation>Cette session n’indique pas quel programme est au premier plan : les règles sont conservées, mais le profil ne suit pas le focus.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>On this Wayland desktop only programs that run through XWayland (most games do) are seen; native Wayland windows are not.</source>
        <translation>Sur ce bureau Wayland, seuls les programmes qui passent par XWayland (c’est le cas de la plupart des jeux) sont vus ; les fenêtres Wayland natives ne le sont pas.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A program is known by its window class or by the name of its executable. The profile changes once a program has stayed in front for a moment.</source>
        <translation>Un programme est reconnu à sa classe de fenêtre ou au nom de son exécutable. Le profil change dès qu’un programme est resté un instant au premier plan.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Profile %1</source>
        <translation>Profil %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Profile %1: %2</source>
        <translation>Profil %1 : %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
</context>
<context>
    <name>KestSingleDPI</name>
    <message>
        <location filename="../../panels/kestsingledpi.cpp" line="+62"/>
        <source>Link XY</source>
        <translation>Lier XY</translation>
    </message>
</context>
<context>
    <name>KestSingleKeyWindow</name>
    <message>
        <location filename="../../buttons/kestsinglekeywindow.cpp" line="+5"/>
        <source>Single Key</source>
        <translation>Touche simple</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Press the key to assign</source>
        <translation>Appuyez sur la touche à assigner</translation>
    </message>
</context>
<context>
    <name>KestSkinDialog</name>
    <message>
        <location filename="../../buttons/kestskindialog.cpp" line="+51"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>KestTrayStatus</name>
    <message>
        <location filename="../../app/kesttraystatus.cpp" line="+78"/>
        <source>&amp;Load Config</source>
        <translation>&amp;Afficher la configuration</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+98"/>
        <location line="+4"/>
        <source>Start at login</source>
        <translation>Lancer à l&apos;ouverture de session</translation>
    </message>
    <message>
        <location line="-101"/>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+7"/>
        <source>Profile %1: %2</source>
        <translation>Profil %1 : %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Battery %1%, charging</source>
        <translation>Batterie %1 %, en charge</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Battery %1%</source>
        <translation>Batterie %1 %</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>On the cable</source>
        <translation>Sur le câble</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>%1 is not a plain file, so it was left alone: starting at login was not changed.</source>
        <translation>%1 n&apos;est pas un fichier ordinaire : il a été laissé tel quel et le lancement à l&apos;ouverture de session n&apos;a pas changé.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 could not be written: starting at login was not changed.</source>
        <translation>%1 n&apos;a pas pu être écrit : le lancement à l&apos;ouverture de session n&apos;a pas changé.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 could not be removed: starting at login was not changed.</source>
        <translation>%1 n&apos;a pas pu être supprimé : le lancement à l&apos;ouverture de session n&apos;a pas changé.</translation>
    </message>
</context>
<context>
    <name>KestTreeWidget</name>
    <message>
        <location filename="../../macro/kesttreewidget.cpp" line="+14"/>
        <source>LEFT CLICK</source>
        <translation>CLIC GAUCHE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MIDDLE CLICK</source>
        <translation>CLIC MILIEU</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RIGHT CLICK</source>
        <translation>CLIC DROIT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FORWARD</source>
        <translation>SUIVANT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BACKWARD</source>
        <translation>PRÉCÉDENT</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>MOVE LEFT</source>
        <translation>DÉPL. GAUCHE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE RIGHT</source>
        <translation>DÉPL. DROITE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE UP</source>
        <translation>DÉPL. HAUT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE DOWN</source>
        <translation>DÉPL. BAS</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>PRESS DOWN</source>
        <translation>APPUI</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BOUNCE UP</source>
        <translation>RELÂCHE</translation>
    </message>
</context>
<context>
    <name>MacroDialog</name>
    <message>
        <location filename="../../macro/macrodialog.cpp" line="+45"/>
        <source>NEW</source>
        <translation>NOUVEAU</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>DELETE</source>
        <translation>SUPPR.</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>IMPORT</source>
        <translation>IMPORT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>EXPORT</source>
        <translation>EXPORT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BATCH</source>
        <translation>LOT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>GUN SET</source>
        <translation>RECUL</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CHANGE NAME</source>
        <translation>RENOMMER</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SAVE</source>
        <translation>ENREG.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CANCEL</source>
        <translation>ANNULER</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+389"/>
        <location line="+130"/>
        <source>START</source>
        <translation>DÉMARRER</translation>
    </message>
    <message>
        <location line="-518"/>
        <source>RECORD AFTER</source>
        <translation>ENREG. APRÈS</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MOVE UP</source>
        <translation>MONTER</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE DOWN</source>
        <translation>DESCENDRE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>TOP</source>
        <translation>EN HAUT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BOTTOM</source>
        <translation>EN BAS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CLEAR</source>
        <translation>EFFACER</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>EDIT</source>
        <translation>MODIFIER</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>COPY</source>
        <translation>COPIER</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CUT</source>
        <translation>COUPER</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PASTE</source>
        <translation>COLLER</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>INSERT DELAY</source>
        <translation>INSÉRER DÉLAI</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MOUSE ACTION</source>
        <translation>ACTION SOURIS</translation>
    </message>
    <message>
        <location line="+91"/>
        <location line="+404"/>
        <source>STOP</source>
        <translation>ARRÊTER</translation>
    </message>
    <message>
        <location line="-403"/>
        <source>MACRO</source>
        <translation>MACRO</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MACRO NAME</source>
        <translation>NOM DE LA MACRO</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOUSE COMMAND</source>
        <translation>COMMANDE SOURIS</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>DELAY(ms)</source>
        <translation>DÉLAI(ms)</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>MOVE</source>
        <translation>DÉPL.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ACTION</source>
        <translation>ACTION</translation>
    </message>
    <message>
        <location filename="../../macro/macrooptionspanel.cpp" line="+39"/>
        <source>RECORD DELAYS BETWEEN ACTION</source>
        <translation>ENREGISTRER LES DÉLAIS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>INSERT DEFAULT DELAY</source>
        <translation>DÉLAI PAR DÉFAUT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>LOOPS TIME(1-255)</source>
        <translation>RÉPÉTITIONS(1-255)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>RÉPÉTER TANT QU’APPUYÉ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>RÉPÉTER JUSQU’AU PROCHAIN APPUI</translation>
    </message>
    <message>
        <location filename="../../macro/macrodialog.cpp" line="+125"/>
        <location line="+289"/>
        <location filename="../../macro/macrofilelist.cpp" line="+73"/>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <location line="-289"/>
        <location filename="../../macro/macrofilelist.cpp" line="-38"/>
        <source>The macro could not be saved.</source>
        <translation>La macro n’a pas pu être enregistrée.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>STEPS: %1/%2</source>
        <translation>ÉTAPES : %1/%2</translation>
    </message>
    <message>
        <location filename="../../macro/macrofilelist.cpp" line="+105"/>
        <source>This name cannot be used for a macro file.</source>
        <translation>Ce nom ne peut pas être utilisé pour un fichier de macro.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>WARNING</source>
        <translation>AVERTISSEMENT</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>TOO MANY MACROS TO BE CREATE!</source>
        <translation>TROP DE MACROS, IMPOSSIBLE D’EN CRÉER !</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+84"/>
        <source>Macro Exist!</source>
        <translation>Cette macro existe déjà !</translation>
    </message>
    <message>
        <location filename="../../macro/macrodialog.cpp" line="+120"/>
        <source>Macro &quot;%1&quot; saved.</source>
        <translation>Macro « %1 » enregistrée.</translation>
    </message>
    <message>
        <location filename="../../macro/macrofilelist.cpp" line="+71"/>
        <source>Load Macro File</source>
        <translation>Charger un fichier de macro</translation>
    </message>
    <message>
        <location line="-270"/>
        <source>Macro File(*.MSMACRO)</source>
        <translation>Fichier de macro (*.MSMACRO)</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>The macro file could not be written.</source>
        <translation>Le fichier de macro n’a pas pu être écrit.</translation>
    </message>
    <message>
        <location line="+284"/>
        <location line="+6"/>
        <source>Save Macro File</source>
        <translation>Enregistrer le fichier de macro</translation>
    </message>
    <message>
        <location filename="../../macro/macrodialog.cpp" line="+147"/>
        <source>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</source>
        <translation>UNE OU PLUSIEURS TOUCHES NE SONT PAS RELÂCHÉES.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>PRESS A KEY</source>
        <translation>APPUYEZ SUR UNE TOUCHE</translation>
    </message>
</context>
<context>
    <name>MousecfgWidget</name>
    <message>
        <location filename="../../app/kestfirmwarehandoff.cpp" line="+39"/>
        <source>Firmware Update</source>
        <translation>MàJ firmware</translation>
    </message>
    <message>
        <location filename="../../app/kestprofilecolumn.cpp" line="+187"/>
        <source>RESET</source>
        <translation>Réinitialiser ce profil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ADD</source>
        <translation>Ajouter un profil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DELETE</source>
        <translation>Supprimer ce profil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>COPY</source>
        <translation>Copier ce profil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load Profile File</source>
        <translation>Importer un fichier de profil</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save Profile File</source>
        <translation>Exporter ce profil dans un fichier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reset All</source>
        <translation>Tout réinitialiser</translation>
    </message>
    <message>
        <location filename="../../app/mousecfgwidget.cpp" line="+376"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <location filename="../../app/kestprofilecolumn.cpp" line="+1"/>
        <source>LOAD1</source>
        <translation>Tout importer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SAVE</source>
        <translation>Tout exporter</translation>
    </message>
    <message>
        <location filename="../../app/kestpagestack.cpp" line="+379"/>
        <source>LIGHTING</source>
        <translation>ÉCLAIRAGE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CUSTOMIZE</source>
        <translation>BOUTONS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MACRO</source>
        <translation>MACRO</translation>
    </message>
    <message>
        <location filename="../../app/kestprofilecolumn.cpp" line="-24"/>
        <location line="+25"/>
        <location line="+6"/>
        <location line="+1"/>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>NAME</source>
        <translation>NOM</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mode</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Press Enter To Apply</source>
        <translation>Appuyez sur Entrée pour appliquer</translation>
    </message>
    <message>
        <location filename="../../app/kestmouseview.cpp" line="+254"/>
        <source>Front</source>
        <translation>Dessus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Side</source>
        <translation>Côté</translation>
    </message>
    <message>
        <location filename="../../app/kestprofilecolumn.cpp" line="+3"/>
        <source>Rules</source>
        <translation>Règles</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Profiles by program</source>
        <translation>Profils par programme</translation>
    </message>
    <message>
        <source>&amp;Load Config</source>
        <translation type="vanished">&amp;Afficher la configuration</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="vanished">&amp;Quitter</translation>
    </message>
    <message>
        <location filename="../../app/keststatusarea.cpp" line="+78"/>
        <source>MOUSE OFF</source>
        <translation>SOURIS ÉTEINTE</translation>
    </message>
    <message>
        <location filename="../../app/kestfirmwarehandoff.cpp" line="+9"/>
        <location filename="../../app/kestlanguage.cpp" line="+73"/>
        <location filename="../../app/kestpagestack.cpp" line="-201"/>
        <location filename="../../app/keststatusarea.cpp" line="+194"/>
        <location filename="../../app/mousecfgwidget.cpp" line="+99"/>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>To update the firmware, please connect to the computer with a cable.</source>
        <translation>Pour mettre à jour le firmware, reliez la souris à l’ordinateur par le câble.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Do you want to upgrade the firmware?</source>
        <translation>Voulez-vous mettre à jour le firmware ?</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The firmware updater could not be started.</source>
        <translation>Le programme de mise à jour du firmware n’a pas pu être lancé.</translation>
    </message>
    <message>
        <location filename="../../app/keststatusarea.cpp" line="-96"/>
        <source>The mouse does not answer</source>
        <translation>La souris ne répond pas</translation>
    </message>
    <message>
        <location filename="../../app/mousecfgwidget.cpp" line="+1"/>
        <source>The mouse did not confirm the profile switch.</source>
        <translation>La souris n’a pas confirmé le changement de profil.</translation>
    </message>
    <message>
        <location filename="../../app/kestpagestack.cpp" line="+1"/>
        <source>AT LEAST ONE CLICK FUNCTION TO BE RETAINED.</source>
        <translation>AU MOINS UNE FONCTION DE CLIC DOIT ÊTRE CONSERVÉE.</translation>
    </message>
    <message>
        <location filename="../../app/keststatusarea.cpp" line="+92"/>
        <source>Dongle Disconnect!</source>
        <translation>Récepteur déconnecté !</translation>
    </message>
    <message>
        <location line="-32"/>
        <source>Saved to the mouse</source>
        <translation>Enregistré dans la souris</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Saved on this computer; the mouse did not take it</source>
        <translation>Enregistré sur cet ordinateur ; la souris ne l&apos;a pas reçu</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Sent to the mouse; not saved on this computer</source>
        <translation>Envoyé à la souris ; non enregistré sur cet ordinateur</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Not saved: neither the mouse nor this computer took it</source>
        <translation>Non enregistré : ni la souris ni cet ordinateur ne l&apos;ont reçu</translation>
    </message>
</context>
<context>
    <name>SlotSettings</name>
    <message>
        <location filename="../../store/buttonscript.cpp" line="+192"/>
        <location filename="../../store/slotsettings.cpp" line="+90"/>
        <source>%1 takes %2 to %3, not &quot;%4&quot;</source>
        <translation>%1 prend de %2 à %3, pas « %4 »</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>&quot;%1&quot; is not a function a button can be given</source>
        <translation>« %1 » n’est pas une fonction qu’un bouton peut recevoir</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the wheel cannot be given &quot;%1&quot;</source>
        <translation>la molette ne peut pas recevoir « %1 »</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>this mouse takes no macros</source>
        <translation>cette souris ne prend pas de macros</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>this mouse has no lighting switch</source>
        <translation>cette souris n’a pas d’interrupteur d’éclairage</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>at least one button must keep the left click</source>
        <translation>au moins un bouton doit garder le clic gauche</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>key takes one key name, such as a, f5, space or page-up</source>
        <translation>key prend un nom de touche, comme a, f5, space ou page-up</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+4"/>
        <source>combo takes shift, ctrl, win and alt and one more key, joined by +</source>
        <translation>combo prend shift, ctrl, win et alt et une autre touche, reliés par +</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>fire takes a source (left, right, middle or a key), the shots and the delay</source>
        <translation>fire prend une source (left, right, middle ou une touche), les tirs et le délai</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&quot;%1&quot; cannot be fired</source>
        <translation>« %1 » ne peut pas être répété en rafale</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>macro takes a macro name and how it repeats: a count, held or toggle</source>
        <translation>macro prend un nom de macro et sa répétition : un nombre, held ou toggle</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>there is no macro &quot;%1&quot;</source>
        <translation>il n’y a pas de macro « %1 »</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>macro &quot;%1&quot; has %2 steps; a button holds %3</source>
        <translation>la macro « %1 » a %2 étapes ; un bouton en contient %3</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 takes no value</source>
        <translation>%1 ne prend pas de valeur</translation>
    </message>
    <message>
        <location filename="../../store/slotsettings.cpp" line="+86"/>
        <source>this mouse has buttons 1 to %1, wheel-up and wheel-down, not &quot;%2&quot;</source>
        <translation>cette souris a les boutons 1 à %1, wheel-up et wheel-down, pas « %2 »</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>this mouse has DPI levels 1 to %1, not &quot;%2&quot;</source>
        <translation>cette souris a les niveaux DPI 1 à %1, pas « %2 »</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+182"/>
        <source>there is no setting &quot;%1&quot;</source>
        <translation>il n’y a pas de réglage « %1 »</translation>
    </message>
    <message>
        <location line="-178"/>
        <source>%1 needs a level or button</source>
        <translation>%1 demande un niveau ou un bouton</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 takes no level</source>
        <translation>%1 ne prend pas de niveau</translation>
    </message>
    <message>
        <location line="+138"/>
        <source>dpi takes a level and a DPI value, or XxY for separate axes, not &quot;%1&quot;</source>
        <translation>dpi prend un niveau et une valeur DPI, ou XxY pour des axes séparés, pas « %1 »</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>level %1 has X and Y linked; unlink it first (set dpi-linked %1 off)</source>
        <translation>le niveau %1 a X et Y liés ; déliez-les d’abord (set dpi-linked %1 off)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>this sensor takes %1 to %2 DPI, not %3</source>
        <translation>ce capteur prend de %1 à %2 DPI, pas %3</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>set %1 needs a level or button and a value</source>
        <translation>set %1 demande un niveau ou un bouton et une valeur</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>set %1 needs a value</source>
        <translation>set %1 demande une valeur</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>dpi-levels is what the mouse has; it cannot be set</source>
        <translation>dpi-levels est ce que la souris possède ; il ne se règle pas</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>%1 takes a level and on or off</source>
        <translation>%1 prend un niveau et on ou off</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>this sensor takes one resolution for X and Y</source>
        <translation>ce capteur prend une seule résolution pour X et Y</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>rate takes 125, 250, 500 or 1000, not &quot;%1&quot;</source>
        <translation>rate prend 125, 250, 500 ou 1000, pas « %1 »</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>effect takes one of %1, not &quot;%2&quot;</source>
        <translation>effect prend l’un de %1, pas « %2 »</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the %1 effect has no %2</source>
        <translation>l’effet %1 n’a pas de %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>color takes six hexadecimal digits RRGGBB, not &quot;%1&quot;</source>
        <translation>color prend six chiffres hexadécimaux RRVVBB, pas « %1 »</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>this mouse has no sleep options</source>
        <translation>cette souris n’a pas d’options de veille</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>move-off takes on or off</source>
        <translation>move-off prend on ou off</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1 takes on or off</source>
        <translation>%1 prend on ou off</translation>
    </message>
</context>
</TS>
