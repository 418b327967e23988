<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ButtonBinding</name>
    <message>
        <location filename="../../buttons/buttonassign.cpp" line="+107"/>
        <source>Left Ctrl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Left Shift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Left Alt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right Ctrl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Right Shift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right Alt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Left Super</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Right Super</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>repeats while held</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>repeats until pressed again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Left button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Middle button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1, %2 shots, %3 ms apart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Macro</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ButtonFunction</name>
    <message>
        <location filename="../../buttons/keys/functioncatalogue.cpp" line="+17"/>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Middle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SINGLE KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>COMBO KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FIRE KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Switch Window</source>
        <translation>Switch Window (Alt+Tab)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close Window</source>
        <translation>Close Window (Alt+F4)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>My Computer</source>
        <translation>Files (Super+E)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Run</source>
        <translation>Super+R</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show Desktop</source>
        <translation>Show Desktop (Super+D)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lock PC</source>
        <translation>Lock Screen (Super+L)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Backward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Browser Favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play/Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Previous Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Next Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volume Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volume Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Media Player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rate +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rate -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scroll Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Scroll Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Led Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SNIPER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Profile +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Profile -</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Profile Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Boss Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rate Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Basic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Windows</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Advance</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Media</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Profile Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Polling Rate</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestBtnWindow</name>
    <message>
        <location filename="../../buttons/kestbuttonfunctionmenu.cpp" line="+116"/>
        <source>Macro Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+63"/>
        <source>MACRO SELECT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The mouse holds twelve macros, and this profile already uses twelve.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>THIS MACRO HAS MORE THAN %1 STEPS AND CANNOT BE ASSIGNED TO A BUTTON.</source>
        <translation>THIS MACRO HAS MORE THAN %1 STEPS, TOO MANY FOR A BUTTON.</translation>
    </message>
</context>
<context>
    <name>KestBusService</name>
    <message>
        <location filename="../../app/kestbusservice.cpp" line="+157"/>
        <source>The slot must be 0 to 4, not %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-8"/>
        <source>A write to the mouse is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>The mouse did not confirm the switch to slot %1; the slot stays as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Slot %1 is selected, but the settings file could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>The slot must be -1 (the current one) or 0 to 4, not %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <location line="+64"/>
        <source>A dialog is open in the window: answer it first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The window holds changes that were not applied: apply or drop them first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>The rule applies now but could not be saved in the settings file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>A rule needs a program name and a slot from 0 to 4, not &quot;%1&quot; and %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>No more rules can be added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>There is no rule for &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The default slot must be -1 (none) or 0 to 4, not %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestColorArea</name>
    <message>
        <location filename="../../panels/kestcolorarea.cpp" line="+63"/>
        <location line="+17"/>
        <source>Color Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>APPLY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestColorWindow</name>
    <message>
        <location filename="../../panels/kestcolorwindow.cpp" line="+58"/>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FULL LIGHTED</source>
        <translation>STEADY</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>7 COLOR</source>
        <translation>7 COLORS</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BREATHING</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>7 COLOR BREATHING</source>
        <translation>7-COLOR BREATHING</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RAINBOW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>WAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Single WAVE</source>
        <translation>SINGLE WAVE</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>yo-yo</source>
        <translation>YO-YO</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>7 COLOR with tail</source>
        <translation>7 COLORS WITH TAIL</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>REACTIVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tri-color running</source>
        <translation>TRI-COLOR RUNNING</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>EFFECT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BRIGHTNESS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SPEED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>COLOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SLEEP TIME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE TO LIGHT OFF</source>
        <translation>MOVING WAKES THE LIGHTS</translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+85"/>
        <source> MIN</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestComboKeyWindow</name>
    <message>
        <location filename="../../buttons/kestcombokeywindow.cpp" line="+11"/>
        <source>Combo Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Hold the modifier keys and press the key</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestDPIWindow</name>
    <message>
        <location filename="../../panels/kestdpiwindow.cpp" line="+51"/>
        <source>DPI</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestDesktopBridge</name>
    <message>
        <location filename="../../app/kestdesktopbridge.cpp" line="+229"/>
        <source>Desktop &amp;notifications</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestDeviceAccess</name>
    <message>
        <location filename="../../device/discovery.cpp" line="+480"/>
        <source>The mouse is plugged in, but this user is not allowed to open it (%1).
Install the device access rules that come with the program (70-mousecfg.rules, in /usr/lib/udev/rules.d or /etc/udev/rules.d), then unplug the mouse and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestFileResult</name>
    <message>
        <location filename="../../store/kestfileresult.cpp" line="+27"/>
        <source>it does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it is larger than %1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it holds binary data, not settings text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it holds far more entries than a settings file of this program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>a symbolic link or something other than a regular file stands in its place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it belongs to another user and this program runs as root; install the udev rule and run the program as yourself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>there is no space left on the disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>it would hold more than this program reads back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>its name is empty, too long or holds a path separator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The file &quot;%1&quot; was not saved: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The file &quot;%1&quot; was not used: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestFireKeyWindow</name>
    <message>
        <location filename="../../buttons/kestfirekeywindow.cpp" line="+31"/>
        <source>FireKey Setting</source>
        <translation>Fire Key Setting</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Middle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Keyboard Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Times:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delay:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestGunsetDialog</name>
    <message>
        <location filename="../../macro/kestgunsetdialog.cpp" line="+43"/>
        <source>Gun Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>GUN SET</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>GUNFILE NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>BULLETS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DELAY(MS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>HORIZONTAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>VERTICAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+7"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-6"/>
        <source>Please input file name.</source>
        <translation>Please enter a file name.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>This name cannot be used for a macro file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestMacroItemDelegate</name>
    <message>
        <location filename="../../macro/kestmacroitemdelegate.cpp" line="+24"/>
        <source>LEFT CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RIGHT CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MIDDLE CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FORWARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BACKWARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>MOVE LEFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE RIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Press</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Release</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestMacroSelect</name>
    <message>
        <location filename="../../buttons/kestmacroselect.cpp" line="+26"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>LOOPS TIME(1-255)</source>
        <translation>LOOPS (1-255)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>REPEAT WHILE KEY HELD</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>REPEAT RUN UNTILL THE KEY DOWN</source>
        <translation>REPEAT UNTIL KEY PRESSED AGAIN</translation>
    </message>
</context>
<context>
    <name>KestMessageBox</name>
    <message>
        <location filename="../../widgets/kestmessagebox.cpp" line="+98"/>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestMouseCore</name>
    <message>
        <location filename="../../core/kestmousecore.cpp" line="+293"/>
        <source>A write to the mouse or a slot switch is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The window holds changes that were not applied: apply or drop them first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The window holds changes to slot %1 that were not applied: apply or drop them first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Slot %1 has no profile file to save into.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+101"/>
        <location line="+168"/>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-27"/>
        <source>DPI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1 Hz</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestNameDialog</name>
    <message>
        <location filename="../../widgets/kestnamedialog.cpp" line="+32"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestNotices</name>
    <message>
        <location filename="../../core/kestnotices.cpp" line="+85"/>
        <source>Mouse battery almost empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1% left. Connect the cable to keep using the mouse.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Mouse battery low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1% left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Mouse connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Mouse disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Profile %1 not switched</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The mouse did not confirm the profile switch.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Settings not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The mouse did not take the settings; they are kept on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation type="obsolete">The mouse did not take the settings. Please try again.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Settings not saved</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestPointSpeed</name>
    <message>
        <location filename="../../panels/kestpointspeed.cpp" line="+102"/>
        <source>Key Response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SCROLL SPEED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-34"/>
        <source>Enable sync</source>
        <translation>Enable Sync</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+2"/>
        <location line="+1"/>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-3"/>
        <location line="+2"/>
        <location line="+1"/>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Lift-off Distance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>1 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>2 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Angle Snapping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Jitter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Mouse Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+152"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No mouse settings program of this desktop was found.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestProfileManager</name>
    <message>
        <location filename="../../app/kestapplyflow.cpp" line="+27"/>
        <source>Wheel up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Wheel down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The mouse holds twelve macros. These buttons got no macro: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>No mouse was found, so the settings were not sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The mouse did not answer, so it may not hold the new settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Writing to the mouse failed, so it may not hold the new settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The mouse holds the new settings, but they could not be saved on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>They are kept on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>They could not be saved on this computer either.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your changes stay in this window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Plug in the receiver or the cable. If it is plugged in, install the access rule described in the README. Then press Apply again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Switch the mouse on, bring it nearer the receiver or close other programs that use it, then press Apply again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Check that the receiver or the cable is plugged in, then press Apply again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Make room on the disk or mend the file, then press Apply again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+104"/>
        <source>The configuration was saved to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation type="vanished">The mouse did not take the settings. Please try again.</translation>
    </message>
    <message>
        <location line="-24"/>
        <source>Are you sure you want reset this profile?</source>
        <translation>Reset this profile to its defaults?</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Are you sure you want reset all profiles?</source>
        <translation>Reset all profiles to their defaults?</translation>
    </message>
    <message>
        <location filename="../../app/kestprofilemanager.cpp" line="+95"/>
        <source>The file is not match current mouse!</source>
        <translation>This file is for a different mouse.</translation>
    </message>
    <message>
        <location filename="../../app/kestapplyflow.cpp" line="+30"/>
        <source>Save Config File</source>
        <translation>Save Configuration</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+10"/>
        <source>Config File(*.conf)</source>
        <translation>Configuration files (*.conf)</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Load Config File</source>
        <translation>Load Configuration</translation>
    </message>
    <message>
        <location filename="../../app/kestdesktopbridge.cpp" line="-63"/>
        <location filename="../../app/kestprofilemanager.cpp" line="+38"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/kestprofilemanager.cpp" line="-47"/>
        <source>AT LEAST ONE PROFILE TO BE RETAINED.</source>
        <translation>AT LEAST ONE PROFILE MUST BE KEPT.</translation>
    </message>
    <message>
        <source>The default Profile cannot be deleted or renamed.</source>
        <translation type="vanished">The default profile cannot be deleted or renamed.</translation>
    </message>
    <message>
        <location line="+78"/>
        <source>Are you sure you want delete this profile?</source>
        <translation>Delete this profile?</translation>
    </message>
    <message>
        <location line="-84"/>
        <source>This name cannot be used for a profile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+64"/>
        <source>New profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-27"/>
        <source>Apply the changes to %1 first?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-34"/>
        <source>Profile Exist!</source>
        <translation>A profile with this name already exists.</translation>
    </message>
    <message>
        <location line="-41"/>
        <source>Start from the current settings instead</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+91"/>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Add puts a new profile with the default settings in this slot, in place of &quot;%1&quot;, which stays in the library. Name of the new profile:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-56"/>
        <source>The default Profile cannot be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Copy profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This slot will show the copy of &quot;%1&quot;. Name of the copy:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Profile name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&quot;%1&quot; stays as it is; this slot&apos;s settings are kept under the new name. Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name of the profile in this slot:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-114"/>
        <source>Profile is Already Used!</source>
        <translation>This profile is already in a slot.</translation>
    </message>
    <message>
        <location line="+147"/>
        <source>The profile was saved to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Load Profile File</source>
        <translation>Import a profile file</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+8"/>
        <source>Profile File(*.prof)</source>
        <translation>Profile files (*.prof)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Save Profile File</source>
        <translation>Export this profile to a file</translation>
    </message>
</context>
<context>
    <name>KestReportRate</name>
    <message>
        <location filename="../../panels/kestreportrate.cpp" line="+19"/>
        <source>%1 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+38"/>
        <source>REPORT RATE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lift off Distance</source>
        <translation>Lift-off Distance</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2 mm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestRulesDialog</name>
    <message>
        <location filename="../../app/kestrulesdialog.cpp" line="+48"/>
        <source>Profiles by program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Switch the profile with the program in front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Window class or program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Every other program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Leave the profile as it is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>This session does not tell which program is in front: the rules are kept, but the profile does not follow the focus.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>On this Wayland desktop only programs that run through XWayland (most games do) are seen; native Wayland windows are not.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A program is known by its window class or by the name of its executable. The profile changes once a program has stayed in front for a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Profile %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Profile %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 → %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestSingleDPI</name>
    <message>
        <location filename="../../panels/kestsingledpi.cpp" line="+62"/>
        <source>Link XY</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestSingleKeyWindow</name>
    <message>
        <location filename="../../buttons/kestsinglekeywindow.cpp" line="+5"/>
        <source>Single Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Press the key to assign</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestSkinDialog</name>
    <message>
        <location filename="../../buttons/kestskindialog.cpp" line="+51"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestTrayStatus</name>
    <message>
        <location filename="../../app/kesttraystatus.cpp" line="+78"/>
        <source>&amp;Load Config</source>
        <translation>&amp;Show Window</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+98"/>
        <location line="+4"/>
        <source>Start at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-101"/>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+7"/>
        <source>Profile %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Battery %1%, charging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Battery %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>On the cable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+64"/>
        <source>%1 is not a plain file, so it was left alone: starting at login was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 could not be written: starting at login was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 could not be removed: starting at login was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KestTreeWidget</name>
    <message>
        <location filename="../../macro/kesttreewidget.cpp" line="+14"/>
        <source>LEFT CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MIDDLE CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RIGHT CLICK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>FORWARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BACKWARD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>MOVE LEFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE RIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+77"/>
        <source>PRESS DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BOUNCE UP</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MacroDialog</name>
    <message>
        <location filename="../../macro/macrodialog.cpp" line="+45"/>
        <source>NEW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>DELETE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-9"/>
        <source>IMPORT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>EXPORT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BATCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>GUN SET</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CHANGE NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CANCEL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+389"/>
        <location line="+130"/>
        <source>START</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-518"/>
        <source>RECORD AFTER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>MOVE UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOVE DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>TOP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BOTTOM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CLEAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>EDIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>COPY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>PASTE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-1"/>
        <source>INSERT DELAY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MOUSE ACTION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+91"/>
        <location line="+404"/>
        <source>STOP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-403"/>
        <source>MACRO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MACRO NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MOUSE COMMAND</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>DELAY(ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-1"/>
        <source>MOVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ACTION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../macro/macrooptionspanel.cpp" line="+39"/>
        <source>RECORD DELAYS BETWEEN ACTION</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>INSERT DEFAULT DELAY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>LOOPS TIME(1-255)</source>
        <translation>LOOPS (1-255)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>REPEAT WHILE KEY HELD</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>REPEAT UNTIL KEY PRESSED AGAIN</translation>
    </message>
    <message>
        <location filename="../../macro/macrodialog.cpp" line="+125"/>
        <location line="+289"/>
        <location filename="../../macro/macrofilelist.cpp" line="+73"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-289"/>
        <location filename="../../macro/macrofilelist.cpp" line="-38"/>
        <source>The macro could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>STEPS: %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../macro/macrofilelist.cpp" line="+105"/>
        <source>This name cannot be used for a macro file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>WARNING</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-1"/>
        <source>TOO MANY MACROS TO BE CREATE!</source>
        <translation>NO ROOM FOR MORE MACROS.</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+84"/>
        <source>Macro Exist!</source>
        <translation>A macro with this name already exists.</translation>
    </message>
    <message>
        <location filename="../../macro/macrodialog.cpp" line="+120"/>
        <source>Macro &quot;%1&quot; saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../macro/macrofilelist.cpp" line="+71"/>
        <source>Load Macro File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-270"/>
        <source>Macro File(*.MSMACRO)</source>
        <translation>Macro files (*.MSMACRO)</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>The macro file could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+284"/>
        <location line="+6"/>
        <source>Save Macro File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../macro/macrodialog.cpp" line="+147"/>
        <source>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</source>
        <translation>ONE OR MORE KEYS HAVE NOT BEEN RELEASED.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>PRESS A KEY</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MousecfgWidget</name>
    <message>
        <location filename="../../app/kestfirmwarehandoff.cpp" line="+39"/>
        <source>Firmware Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/kestprofilecolumn.cpp" line="+187"/>
        <source>RESET</source>
        <translation>Reset this profile to its defaults</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ADD</source>
        <translation>Add a profile</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DELETE</source>
        <translation>Delete this profile</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>COPY</source>
        <translation>Copy this profile</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load Profile File</source>
        <translation>Import a profile file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save Profile File</source>
        <translation>Export this profile to a file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reset All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/mousecfgwidget.cpp" line="+376"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/kestprofilecolumn.cpp" line="+1"/>
        <source>LOAD1</source>
        <translation>Import All</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SAVE</source>
        <translation>Export All</translation>
    </message>
    <message>
        <location filename="../../app/kestpagestack.cpp" line="+379"/>
        <source>LIGHTING</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CUSTOMIZE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DPI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MACRO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/kestprofilecolumn.cpp" line="-24"/>
        <location line="+25"/>
        <location line="+6"/>
        <location line="+1"/>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-6"/>
        <source>NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mode</source>
        <translation>Model</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Press Enter To Apply</source>
        <translation>Press Enter to apply</translation>
    </message>
    <message>
        <location filename="../../app/kestmouseview.cpp" line="+254"/>
        <source>Front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Side</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/kestprofilecolumn.cpp" line="+3"/>
        <source>Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Profiles by program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load Config</source>
        <translation type="vanished">&amp;Show Window</translation>
    </message>
    <message>
        <location filename="../../app/keststatusarea.cpp" line="+78"/>
        <source>MOUSE OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/kestfirmwarehandoff.cpp" line="+9"/>
        <location filename="../../app/kestlanguage.cpp" line="+73"/>
        <location filename="../../app/kestpagestack.cpp" line="-201"/>
        <location filename="../../app/keststatusarea.cpp" line="+194"/>
        <location filename="../../app/mousecfgwidget.cpp" line="+99"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>To update the firmware, please connect to the computer with a cable.</source>
        <translation>To update the firmware, connect the mouse with its cable.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Do you want to upgrade the firmware?</source>
        <translation>Update the mouse&apos;s firmware now?</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The firmware updater could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/keststatusarea.cpp" line="-96"/>
        <source>The mouse does not answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/mousecfgwidget.cpp" line="+1"/>
        <source>The mouse did not confirm the profile switch.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/kestpagestack.cpp" line="+1"/>
        <source>AT LEAST ONE CLICK FUNCTION TO BE RETAINED.</source>
        <translation>AT LEAST ONE BUTTON MUST KEEP A CLICK FUNCTION.</translation>
    </message>
    <message>
        <location filename="../../app/keststatusarea.cpp" line="+92"/>
        <source>Dongle Disconnect!</source>
        <translation>Mouse not connected</translation>
    </message>
    <message>
        <location line="-32"/>
        <source>Saved to the mouse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Saved on this computer; the mouse did not take it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Sent to the mouse; not saved on this computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Not saved: neither the mouse nor this computer took it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SlotSettings</name>
    <message>
        <location filename="../../store/buttonscript.cpp" line="+192"/>
        <location filename="../../store/slotsettings.cpp" line="+90"/>
        <source>%1 takes %2 to %3, not &quot;%4&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+57"/>
        <source>&quot;%1&quot; is not a function a button can be given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the wheel cannot be given &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>this mouse takes no macros</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>this mouse has no lighting switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>at least one button must keep the left click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>key takes one key name, such as a, f5, space or page-up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+4"/>
        <source>combo takes shift, ctrl, win and alt and one more key, joined by +</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>fire takes a source (left, right, middle or a key), the shots and the delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&quot;%1&quot; cannot be fired</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>macro takes a macro name and how it repeats: a count, held or toggle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>there is no macro &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>macro &quot;%1&quot; has %2 steps; a button holds %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 takes no value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../store/slotsettings.cpp" line="+86"/>
        <source>this mouse has buttons 1 to %1, wheel-up and wheel-down, not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>this mouse has DPI levels 1 to %1, not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+182"/>
        <source>there is no setting &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-178"/>
        <source>%1 needs a level or button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 takes no level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+138"/>
        <source>dpi takes a level and a DPI value, or XxY for separate axes, not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>level %1 has X and Y linked; unlink it first (set dpi-linked %1 off)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>this sensor takes %1 to %2 DPI, not %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>set %1 needs a level or button and a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>set %1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>dpi-levels is what the mouse has; it cannot be set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>%1 takes a level and on or off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>this sensor takes one resolution for X and Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>rate takes 125, 250, 500 or 1000, not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>effect takes one of %1, not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>the %1 effect has no %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>color takes six hexadecimal digits RRGGBB, not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>this mouse has no sleep options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>move-off takes on or off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1 takes on or off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
