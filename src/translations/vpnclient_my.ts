<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ms">
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
        <translation>Tampal</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>Sembunyikan kata laluan</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Tunjukkan kata laluan</translation>
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
        <translation>Kosongkan carian</translation>
    </message>
</context>
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
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Tetapan</translation>
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
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Senarai pelayan</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>Kegemaran</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Kuncupkan</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Kembangkan</translation>
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
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>Senarai pelayan</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>Tiada item untuk dipaparkan</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>Senarai pelayan</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Disyorkan</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Semua</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Terkini</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Pengesahan</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Dikemas kini</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nama pengguna</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>ID Akaun</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Kata laluan</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Kemas kini</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Suis pemutus</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Dayakan Kunci rangkaian (suis pemutus Internet). Hanya tersedia untuk OpenVPN</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Benarkan akses ke peranti rangkaian setempat seperti folder kongsi dan pencetak</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Pelbagai</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Tunjukkan pemberitahuan</translation>
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
        <translation>Saiz MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
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
        <translation>Protokol moden: cepat bersambung, pantas dan menjimatkan bateri. Pilihan terbaik untuk kebanyakan rangkaian.</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>OpenVPN melalui UDP: pantas dan boleh dipercayai pada kebanyakan rangkaian.</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>OpenVPN melalui TCP: lebih perlahan, tetapi dapat melepasi rangkaian yang menyekat UDP.</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>OpenVPN di dalam terowong TLS pada port 443, untuk rangkaian yang menyekat trafik VPN.</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>Salurkan IPv6 melalui terowong. Jika dimatikan, IPv6 dinyahdayakan semasa bersambung supaya tiada apa-apa keluar di luar terowong.</translation>
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
        <translation>Tunjukkan folder log</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Permulaan</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Lancarkan %1 apabila %2 dimulakan</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Sambung ke lokasi terakhir yang digunakan apabila %1 dilancarkan</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Sambung semula VPN jika terputus atau tergendala</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Mula diminimumkan</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Dilumpuhkan</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Ke dulang sistem</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Ke bar tugas</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>Tetapan</translation>
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
        <translation>Kemas Kini Automatik</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Kemas kini aplikasi secara automatik</translation>
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
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>Pilih warna</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Semak imbas...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>Sifat</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>Bahagian</translation>
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
        <translation>Sila pilih fail</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>Muatkan tema</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>Simpan tema</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Imej (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Fail tema (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Pilih warna</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Pratonton: %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Pratonton</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Tunjukkan folder log</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>Gaya gelap</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>Gaya cerah</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Bahagian</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>Medan teks</translation>
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
        <translation>Butang</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>Butang ditekan</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Dilumpuhkan</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Ke dulang sistem</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Ke bar tugas</translation>
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
        <translation>Tunjukkan pemberitahuan</translation>
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
        <translation>HIDUPKAN</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>TEMPOH</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>Tempoh %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Lokasi pelayan</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Dimuat turun</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Dimuat naik</translation>
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
    <message>
        <source>Killswitch event</source>
        <translation>Suis pemutus diaktifkan</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Sambungan ke Internet disekat</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
