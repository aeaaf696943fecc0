<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
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
</context>
</TS>
