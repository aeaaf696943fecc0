<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>Masquer le mot de passe</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Afficher le mot de passe</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Effacer la recherche</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Nouvelle version disponible.
Voulez-vous passer à la version %1 ?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>continuera de fonctionner en arrière-plan</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Préparation</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connexion...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Déconnexion...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Reconnexion...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Erreur !</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Aucun serveur OpenVPN n&apos;est indiqué !</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Erreur : nom d&apos;utilisateur ou mot de passe incorrect</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Liste des serveurs</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>Favori</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Développer</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Non sélectionné</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Serveurs favoris</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Serveurs récents</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>Liste des serveurs</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>Aucun élément à afficher</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>Listes de serveurs</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Recommandés</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Récents</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Authentification</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Mis à jour</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>Identifiant du compte</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mettre à jour</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Coupe-circuit</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Activer le verrou réseau (coupe-circuit Internet). Disponible uniquement avec OpenVPN</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Autoriser l&apos;accès aux appareils du réseau local, comme les partages et les imprimantes</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Divers</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Afficher les notifications</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>Taille de la MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuelle</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Protocole</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.</source>
        <translation>Un protocole moderne : connexion rapide, débit élevé et faible consommation de batterie. Le meilleur choix pour la plupart des réseaux.</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>OpenVPN sur UDP : rapide et fiable sur la plupart des réseaux.</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>OpenVPN sur TCP : plus lent, mais passe les réseaux qui bloquent UDP.</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Furtif</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>OpenVPN dans un tunnel TLS sur le port 443, pour les réseaux qui bloquent le trafic VPN.</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>Faire passer IPv6 par le tunnel. Désactivé, IPv6 est coupé pendant la connexion, afin que rien ne sorte hors du tunnel.</translation>
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
        <translation>Journaux</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Afficher le dossier des journaux</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Démarrage</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Lancer %1 au démarrage de %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Se connecter au dernier emplacement utilisé au lancement de %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Rétablir la connexion VPN si elle est coupée ou interrompue</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Démarrer réduit</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Dans la zone de notification</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Dans la barre des tâches</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Mise à jour automatique</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Mettre à jour l&apos;application automatiquement</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>Choisir une couleur</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>Sections</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Éditeur de thème</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Veuillez choisir un fichier</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>Charger un thème</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>Enregistrer le thème</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Images (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Fichiers de thème (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Choisir une couleur</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Aperçu : %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Journaux</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Afficher le dossier des journaux</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>Style sombre</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>Style clair</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Section</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>Champ de texte</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Libellé 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Libellé 2</translation>
    </message>
    <message>
        <source>Label 3</source>
        <translation>Libellé 3</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Libellé 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Libellé 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Bouton</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>Bouton enfoncé</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Dans la zone de notification</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Dans la barre des tâches</translation>
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
        <translation>Afficher les notifications</translation>
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
        <translation>o</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>Kio</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>Mio</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>Gio</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>Tio</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>SWITCH OFF</source>
        <translation>DÉSACTIVER</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>ACTIVER</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>DURÉE</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>Durée %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Emplacement du serveur</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Reçu</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Envoyé</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Mise à jour...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Le nom d&apos;utilisateur ou le mot de passe est vide !</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>L&apos;adresse IP du serveur VPN est vide !</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Aucun port disponible pour cette connexion</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Reconnexion automatique</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Meilleur en</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Votre adresse IP actuelle</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>Le nom du serveur est vide !</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Le service système n&apos;est pas en cours d&apos;exécution !</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Déconnexion en cours...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Mode débogage.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Aucune zone de notification n&apos;a été détectée sur ce système.</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Erreur critique, fermeture (cliquez sur « Afficher les journaux » pour les détails).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Afficher les journaux</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Coupe-circuit déclenché</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>La connexion à Internet est bloquée</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
