<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fil">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>Isara</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>I-cut</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopyahin</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>I-paste</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>Itago ang password</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Ipakita ang password</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Maghanap</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>I-clear ang paghahanap</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>May nakitang bagong bersyon.
Gusto mo bang mag-update sa bersyon %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>I-update</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Laktawan</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Kumonekta</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Idiskonekta</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Nadiskonekta</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Nakakonekta</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>ay patuloy na tatakbo sa background</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>Awtomatiko</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Hindi nakakonekta</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Naghahanda</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Kumokonekta...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Nakakonekta</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Nagdidiskonekta...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Muling kumokonekta...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>May error!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Hindi alam</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Mga Setting</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Walang OpenVPN server!</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Error: Maling username/password</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Listahan ng server</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>Paborito</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>I-collapse</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>I-expand</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Maghanap</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Hindi napili</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Mga paboritong server</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Mga kamakailang server</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>Listahan ng server</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>Walang maipapakitang item</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>Mga listahan ng server</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Inirerekomenda</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Lahat</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Kamakailan</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Authentication</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Na-update</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Username</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>Account ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>I-update</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Kill switch</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>I-enable ang Network lock (Internet kill switch). Para lamang sa OpenVPN</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Payagan ang access sa mga device sa lokal na network gaya ng mga shared folder at printer</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Iba pa</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Ipakita ang mga notification</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Wika</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>Laki ng MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Awtomatiko</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Mano-mano</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.</source>
        <translation>Modernong protocol: mabilis kumonekta, mabilis, at tipid sa baterya. Ang pinakamainam para sa karamihan ng network.</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>OpenVPN sa UDP: mabilis at maaasahan sa karamihan ng network.</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>OpenVPN sa TCP: mas mabagal, pero nakakalusot sa mga network na nagba-block ng UDP.</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>OpenVPN sa loob ng TLS tunnel sa port 443, para sa mga network na nagba-block ng VPN traffic.</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>Padaanin ang IPv6 sa tunnel. Kapag naka-off, pinapatay ang IPv6 habang nakakonekta para walang lumabas sa labas ng tunnel.</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Mga log</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Ipakita ang folder ng log</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Pag-start</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Buksan ang %1 sa pag-start ng %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Kumonekta sa huling ginamit na lokasyon kapag binuksan ang %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Muling ikonekta ang VPN kapag nadiskonekta o naputol</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Simulan nang naka-minimize</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Naka-disable</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Sa system tray</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Sa taskbar</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>Mga Setting</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Pangkalahatan</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Advanced</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Awtomatikong Update</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Awtomatikong i-update ang application</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Mga Setting</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Lumabas</translation>
    </message>
</context>
<context>
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>Pumili ng kulay</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Mag-browse...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>Mga property</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>Mga seksyon</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Editor ng tema</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Pumili ng file</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>I-load ang tema</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>I-save ang tema</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Mga larawan (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Mga file ng tema (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Pumili ng kulay</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Preview: %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Mga log</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Ipakita ang folder ng log</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>Madilim na istilo</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>Maliwanag na istilo</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Seksyon</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>Text field</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Label 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Label 2</translation>
    </message>
    <message>
        <source>Label 3</source>
        <translation>Label 3</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Label 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Label 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>Pinindot na button</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Naka-disable</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Sa system tray</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Sa taskbar</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Ipakita ang mga notification</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>KiB</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>MiB</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>GiB</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>TiB</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>SWITCH OFF</source>
        <translation>I-OFF</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>I-ON</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>TAGAL</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>Tagal %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Lokasyon ng server</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Na-download</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Na-upload</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Ina-update...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Walang laman ang username o password!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>Walang IP ang VPN server!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Walang port para sa koneksyong ito</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Awtomatikong muling pagkonekta</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Pinakamahusay sa</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Ang kasalukuyan mong IP</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>Walang pangalan ang server!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Hindi tumatakbo ang system service!</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Kasalukuyang nagdidiskonekta...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Debug mode.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Walang nakitang system tray sa system na ito.</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Kritikal na error, magsasara na (i-click ang &apos;Ipakita ang mga log&apos; para sa detalye).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Isara</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Ipakita ang mga log</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Na-trigger ang kill switch</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Naka-block ang koneksyon sa Internet</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
