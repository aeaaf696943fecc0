<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Knippen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiëren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Plakken</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>Wachtwoord verbergen</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Wachtwoord tonen</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Zoeken</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Zoekopdracht wissen</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Nieuwe versie gevonden.
Wilt u bijwerken naar versie %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Bijwerken</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Overslaan</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Verbinding verbreken</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Verbinding verbroken</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbonden</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>blijft op de achtergrond actief</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Niet verbonden</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Voorbereiden</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Verbinden...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbonden</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Verbinding verbreken...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Opnieuw verbinden...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Fout!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Onbekend</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Geen OpenVPN-server opgegeven!</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Fout: onjuiste gebruikersnaam of wachtwoord</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Serverlijst</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>Favoriet</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Samenvouwen</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Uitvouwen</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Zoeken</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Niet geselecteerd</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Favoriete servers</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Recente servers</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>Serverlijst</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>Geen items om weer te geven</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>Serverlijsten</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Aanbevolen</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recent</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Aanmelding</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Bijgewerkt</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Gebruikersnaam</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>Account-ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Wachtwoord</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Bijwerken</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Killswitch</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Netwerkslot inschakelen (internet-killswitch). Alleen beschikbaar voor OpenVPN</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Toegang tot apparaten in het lokale netwerk toestaan, zoals gedeelde mappen en printers</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Overig</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Meldingen tonen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Taal</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>MTU-grootte</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Handmatig</translation>
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
        <translation>Een modern protocol: snel verbonden, snel en zuinig met de accu. De beste keuze voor de meeste netwerken.</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>OpenVPN via UDP: snel en betrouwbaar op de meeste netwerken.</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>OpenVPN via TCP: trager, maar komt door netwerken die UDP blokkeren.</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>OpenVPN in een TLS-tunnel op poort 443, voor netwerken die VPN-verkeer blokkeren.</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>IPv6 door de tunnel sturen. Uitgeschakeld wordt IPv6 tijdens de verbinding uitgezet, zodat er niets buiten de tunnel om gaat.</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Poort</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Logbestanden</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Logmap tonen</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Opstarten</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>%1 starten bij het opstarten van %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Verbinden met de laatst gebruikte locatie wanneer %1 start</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>VPN-verbinding herstellen als die verbroken wordt of wegvalt</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Geminimaliseerd starten</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Uitgeschakeld</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Naar het systeemvak</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Naar de taakbalk</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Algemeen</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Geavanceerd</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Automatisch bijwerken</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>De app automatisch bijwerken</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Afsluiten</translation>
    </message>
</context>
<context>
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>Kies een kleur</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Bladeren...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>Eigenschappen</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>Secties</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Thema-editor</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Kies een bestand</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>Thema laden</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>Thema opslaan</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Afbeeldingen (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Themabestanden (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Kies een kleur</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Voorbeeld: %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Voorbeeld</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Logbestanden</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Logmap tonen</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>Donkere stijl</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>Lichte stijl</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Sectie</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>Tekstveld</translation>
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
        <translation>Knop</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>Ingedrukte knop</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Uitgeschakeld</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Naar het systeemvak</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Naar de taakbalk</translation>
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
        <translation>Meldingen tonen</translation>
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
        <translation>UITSCHAKELEN</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>INSCHAKELEN</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>DUUR</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>Duur %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Serverlocatie</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Gedownload</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Geüpload</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Bijwerken...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Gebruikersnaam of wachtwoord is leeg!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>Het IP-adres van de VPN-server is leeg!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Er zijn geen poorten voor deze verbinding</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Automatisch opnieuw verbinden</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Beste in</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Uw huidige IP-adres</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>De servernaam is leeg!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>De systeemservice is niet actief!</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Verbinding wordt verbroken...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Foutopsporingsmodus.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Er is geen systeemvak op dit systeem gevonden.</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Kritieke fout, het programma stopt (klik op &apos;Logboeken tonen&apos; voor details).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Logboeken tonen</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Killswitch geactiveerd</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>De verbinding met internet is geblokkeerd</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
