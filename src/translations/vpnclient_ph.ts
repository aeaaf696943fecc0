<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fil">
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
</context>
</TS>
