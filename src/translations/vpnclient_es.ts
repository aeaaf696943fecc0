<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Cortar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>Ocultar la contraseña</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Mostrar la contraseña</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Borrar la búsqueda</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Se encontró una nueva versión.
¿Desea actualizar a la versión %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Omitir</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Desconectar</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Desconectado</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Conectado</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>seguirá ejecutándose en segundo plano</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>Automático</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Desconectado</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Preparando</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Conectando...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Conectado</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Desconectando...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Reconectando...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>¡Error!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Desconocido</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>¡No se indicó ningún servidor OpenVPN!</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Error: usuario o contraseña incorrectos</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Lista de servidores</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>Favorito</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Contraer</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Expandir</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Sin seleccionar</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Servidores favoritos</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Servidores recientes</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>Lista de servidores</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>No hay elementos para mostrar</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>Listas de servidores</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Recomendados</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todos</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recientes</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Autenticación</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Actualizado</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>ID de cuenta</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualizar</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Interruptor de emergencia</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Activar el bloqueo de red (interruptor de emergencia de Internet). Solo disponible para OpenVPN</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Permitir el acceso a dispositivos de la red local, como carpetas compartidas e impresoras</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Varios</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Mostrar notificaciones</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>Tamaño de MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automático</translation>
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
        <translation>Protocolo</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.</source>
        <translation>Un protocolo moderno: conecta enseguida, es rápido y consume poca batería. La mejor opción para la mayoría de las redes.</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>OpenVPN sobre UDP: rápido y fiable en la mayoría de las redes.</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>OpenVPN sobre TCP: más lento, pero atraviesa redes que bloquean UDP.</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>OpenVPN dentro de un túnel TLS en el puerto 443, para redes que bloquean el tráfico VPN.</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>Enviar IPv6 por el túnel. Si está desactivado, IPv6 se apaga durante la conexión para que nada salga fuera del túnel.</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Puerto</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Registros</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Mostrar la carpeta de registros</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Iniciar %1 al arrancar %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Conectarse a la última ubicación usada al iniciar %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Restablecer la conexión VPN si se desconecta o se cae</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Iniciar minimizado</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>En la bandeja del sistema</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>En la barra de tareas</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avanzado</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Actualización automática</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Actualizar la aplicación automáticamente</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>Elegir un color</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Examinar...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>Propiedades</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>Secciones</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Editor de temas</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Elija un archivo</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>Cargar tema</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>Guardar tema</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Imágenes (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Archivos de tema (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Elegir un color</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Vista previa: %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Registros</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Mostrar la carpeta de registros</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>Estilo oscuro</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>Estilo claro</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Sección</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>Campo de texto</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Etiqueta 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Etiqueta 2</translation>
    </message>
    <message>
        <source>Label 3</source>
        <translation>Etiqueta 3</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Etiqueta 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Etiqueta 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Botón</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>Botón pulsado</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>En la bandeja del sistema</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>En la barra de tareas</translation>
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
        <translation>Mostrar notificaciones</translation>
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
        <translation>DESACTIVAR</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>ACTIVAR</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>DURACIÓN</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>Duración %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Ubicación del servidor</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Descargado</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Subido</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Actualizando...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>¡Falta el usuario o la contraseña!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>¡Falta la IP del servidor VPN!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>No hay puertos para esta conexión</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Reconexión automática</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Mejor en</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Su IP actual</translation>
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
        <translation>¡Falta el nombre del servidor!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>¡El servicio del sistema no se está ejecutando!</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Desconexión en curso...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Modo de depuración.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>No se detectó ninguna bandeja del sistema en este equipo.</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Error crítico, la aplicación se cerrará (haga clic en «Mostrar registros» para ver los detalles).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Mostrar registros</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Interruptor de emergencia activado</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>La conexión a Internet está bloqueada</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
</TS>
