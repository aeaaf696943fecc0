<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>Tutup</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Potong</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Salin</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Tempel</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>Sembunyikan kata sandi</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Tampilkan kata sandi</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Cari</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Hapus pencarian</translation>
    </message>
</context>
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
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Pengaturan</translation>
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
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Daftar server</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>Favorit</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Ciutkan</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Bentangkan</translation>
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
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>Daftar server</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>Tidak ada item untuk ditampilkan</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>Daftar server</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Disarankan</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Semua</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Terbaru</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Autentikasi</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Diperbarui</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nama pengguna</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>ID Akun</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Kata sandi</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Perbarui</translation>
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
        <translation>Aktifkan Kunci jaringan (kill switch Internet). Hanya tersedia untuk OpenVPN</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Izinkan akses ke perangkat jaringan lokal seperti folder bersama dan printer</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Lain-lain</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Tampilkan notifikasi</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Bahasa</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>Ukuran MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Otomatis</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Protokol</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.</source>
        <translation>Protokol modern: cepat terhubung, kencang, dan hemat baterai. Pilihan terbaik untuk sebagian besar jaringan.</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>OpenVPN melalui UDP: cepat dan andal di sebagian besar jaringan.</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>OpenVPN melalui TCP: lebih lambat, tetapi bisa melewati jaringan yang memblokir UDP.</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>OpenVPN di dalam terowongan TLS pada port 443, untuk jaringan yang memblokir lalu lintas VPN.</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>Lewatkan IPv6 melalui terowongan. Jika dimatikan, IPv6 dinonaktifkan selama terhubung agar tidak ada yang keluar di luar terowongan.</translation>
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
        <translation>Log</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Tampilkan folder log</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Saat memulai</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Jalankan %1 saat %2 dimulai</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Hubungkan ke lokasi terakhir yang digunakan saat %1 dijalankan</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Sambungkan ulang VPN jika terputus atau hilang</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Mulai dalam keadaan minimal</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Nonaktif</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Ke baki sistem</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Ke bilah tugas</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>Pengaturan</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Umum</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Lanjutan</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Pembaruan Otomatis</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Perbarui aplikasi secara otomatis</translation>
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
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>Pilih warna</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Telusuri...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>Properti</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>Bagian</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Editor tema</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Silakan pilih berkas</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>Muat tema</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>Simpan tema</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Gambar (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Berkas tema (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Pilih warna</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Pratinjau: %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Pratinjau</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Tampilkan folder log</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>Gaya gelap</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>Gaya terang</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Bagian</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>Kolom teks</translation>
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
        <translation>Tombol</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>Tombol ditekan</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Nonaktif</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Ke baki sistem</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Ke bilah tugas</translation>
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
        <translation>Tampilkan notifikasi</translation>
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
        <translation>MATIKAN</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>NYALAKAN</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>DURASI</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>Durasi %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Lokasi server</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Diunduh</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Diunggah</translation>
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
    <message>
        <source>Killswitch event</source>
        <translation>Kill switch aktif</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Koneksi ke Internet diblokir</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
