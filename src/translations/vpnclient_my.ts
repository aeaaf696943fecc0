<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ms">
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Versi baharu ditemui.
Adakah anda mahu mengemas kini ke versi %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Kemas kini</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Langkau</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Sambung</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Putuskan sambungan</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Sambungan terputus</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Bersambung</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>akan terus berjalan di latar belakang</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>Automatik</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Terputus</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Menyediakan</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Menyambung...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Bersambung</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Memutuskan sambungan...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Menyambung semula...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Ralat!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Tidak diketahui</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Pelayan OpenVPN kosong!</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Ralat: nama pengguna/kata laluan salah</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Cari</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Belum dipilih</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Pelayan kegemaran</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Pelayan terkini</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Tetapan</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Keluar</translation>
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
        <translation>Mengemas kini...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Nama pengguna atau kata laluan kosong!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>IP pelayan VPN kosong!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Tiada port untuk sambungan ini</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Sambung semula automatik</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Terbaik di</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>IP semasa anda</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ralat</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>Nama pelayan kosong!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Perkhidmatan sistem tidak berjalan!</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Sedang memutuskan sambungan...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Mod nyahpepijat.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Tidak dapat mengesan dulang sistem pada sistem ini.</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Ralat kritikal, aplikasi akan keluar (klik &apos;Tunjukkan log&apos; untuk butiran).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Tutup</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Tunjukkan log</translation>
    </message>
</context>
</TS>
