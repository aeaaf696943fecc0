<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id">
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Versi baru ditemukan.
Apakah Anda ingin memperbarui ke versi %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Perbarui</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Lewati</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Hubungkan</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Putuskan</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Terputus</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Terhubung</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>akan tetap berjalan di latar belakang</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>Otomatis</translation>
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
        <translation>Menyiapkan</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Menghubungkan...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Terhubung</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Memutuskan...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Menghubungkan ulang...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Kesalahan!</translation>
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
        <translation>Server OpenVPN kosong!</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Kesalahan: nama pengguna/kata sandi salah</translation>
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
        <translation>Server favorit</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Server terbaru</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Pengaturan</translation>
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
        <translation>Memperbarui...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Nama pengguna atau kata sandi kosong!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>IP server VPN kosong!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Tidak ada port untuk koneksi ini</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Sambung ulang otomatis</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Terbaik di</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>IP Anda saat ini</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Kesalahan</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>Nama server kosong!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Layanan sistem tidak berjalan!</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Sedang memutuskan koneksi...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Mode debug.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Tidak dapat mendeteksi baki sistem pada sistem ini.</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Kesalahan kritis, aplikasi akan keluar (klik &apos;Tampilkan log&apos; untuk detailnya).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Tutup</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Tampilkan log</translation>
    </message>
</context>
</TS>
