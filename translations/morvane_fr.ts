<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>NotificationSender</name>
    <message>
        <source>Morvane: power action soon</source>
        <translation>Morvane : action planifiée imminente</translation>
    </message>
    <message>
        <source>Morvane could not start a program</source>
        <translation>Morvane n&apos;a pas pu lancer un programme</translation>
    </message>
    <message>
        <source>Morvane found nothing to close</source>
        <translation>Morvane n&apos;a rien trouvé à fermer</translation>
    </message>
    <message numerus="yes">
        <source>%1 in %n minute(s).</source>
        <translation>
            <numerusform>%1 dans %n minute.</numerusform>
            <numerusform>%1 dans %n minutes.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 could not start: %2</source>
        <translation>%1 n&apos;a pas pu être lancé : %2</translation>
    </message>
    <message>
        <source>No running program is called %1.</source>
        <translation>Aucun programme en cours ne s&apos;appelle %1.</translation>
    </message>
    <message>
        <source>Morvane could not save</source>
        <translation>Morvane n&apos;a pas pu enregistrer</translation>
    </message>
    <message>
        <source>Morvane could not close a program</source>
        <translation>Morvane n&apos;a pas pu fermer un programme</translation>
    </message>
    <message>
        <source>%1 was not closed: the program runs with administrator rights.</source>
        <translation>%1 n&apos;a pas été fermé : le programme s&apos;exécute avec les droits d&apos;administrateur.</translation>
    </message>
    <message>
        <source>%1 was not closed: it belongs to another user&apos;s session.</source>
        <translation>%1 n&apos;a pas été fermé : il appartient à la session d&apos;un autre utilisateur.</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>%1 d %2</source>
        <translation>%1 j %2</translation>
    </message>
    <message>
        <source>shut down the computer</source>
        <translation>éteindre l&apos;ordinateur</translation>
    </message>
    <message>
        <source>restart the computer</source>
        <translation>redémarrer l&apos;ordinateur</translation>
    </message>
    <message>
        <source>log you off</source>
        <translation>fermer votre session</translation>
    </message>
    <message>
        <source>hibernate the computer</source>
        <translation>mettre l&apos;ordinateur en veille prolongée</translation>
    </message>
    <message>
        <source>turn off the monitor</source>
        <translation>éteindre le moniteur</translation>
    </message>
    <message>
        <source>Next: %1 in %2</source>
        <translation>Suivante : %1 dans %2</translation>
    </message>
    <message>
        <source>Next: %1 waits for idle</source>
        <translation>Suivante : %1 attend l&apos;inactivité</translation>
    </message>
    <message>
        <source>Next: %1</source>
        <translation>Suivante : %1</translation>
    </message>
    <message>
        <source>The Empty task&apos;s %1 waits until the other tasks have finished</source>
        <translation>Tâche « Vide » : %1 attend la fin des autres tâches</translation>
    </message>
    <message>
        <source>action</source>
        <translation>l&apos;action</translation>
    </message>
    <message>
        <source>After all tasks: %1</source>
        <translation>Après toutes les tâches : %1</translation>
    </message>
    <message>
        <source>Time left: %1</source>
        <translation>Temps restant : %1</translation>
    </message>
    <message>
        <source>Waiting for idle</source>
        <translation>En attente d&apos;inactivité</translation>
    </message>
    <message>
        <source>%1 could not be read wholly and was kept as %2</source>
        <translation>%1 n&apos;a pas pu être lu en entier et a été conservé sous %2</translation>
    </message>
    <message>
        <source>Tasks could not be saved: %1</source>
        <translation>Les tâches n&apos;ont pas pu être enregistrées : %1</translation>
    </message>
    <message>
        <source>Settings could not be saved: %1</source>
        <translation>Les réglages n&apos;ont pas pu être enregistrés : %1</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2</source>
        <translation>%1 n&apos;a pas pu être enregistré : %2</translation>
    </message>
    <message>
        <source>Another Morvane may be using the same tasks: %1</source>
        <translation>Un autre Morvane utilise peut-être les mêmes tâches : %1</translation>
    </message>
    <message>
        <source>Suspend (Sleep)</source>
        <translation>Mettre en veille</translation>
    </message>
    <message>
        <source>Lock the Screen</source>
        <translation>Verrouiller l&apos;écran</translation>
    </message>
    <message>
        <source>suspend the computer</source>
        <translation>mettre l&apos;ordinateur en veille</translation>
    </message>
    <message>
        <source>lock the screen</source>
        <translation>verrouiller l&apos;écran</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Next: %1, %2</source>
        <translation>Suivante : %1, %2</translation>
    </message>
    <message>
        <source>Waiting: %1</source>
        <translation>En attente : %1</translation>
    </message>
    <message>
        <source>when %1 (%2) exits</source>
        <translation>quand %1 (%2) se termine</translation>
    </message>
    <message>
        <source>when every %1 has exited</source>
        <translation>quand tous les %1 se sont terminés</translation>
    </message>
    <message>
        <source>when the network stays below %1 KiB/s for %2</source>
        <translation>quand le réseau reste sous %1 Kio/s pendant %2</translation>
    </message>
    <message>
        <source>when the processor stays below %1% for %2</source>
        <translation>quand le processeur reste sous %1 % pendant %2</translation>
    </message>
    <message>
        <source>%1 d</source>
        <translation>%1 j</translation>
    </message>
</context>
<context>
    <name>UiText</name>
    <message>
        <source>Picking a window with the mouse does not work on a Wayland desktop: it cannot tell which program a window belongs to. Choose the program from the list of running programs instead.</source>
        <translation>Sur un bureau Wayland, on ne peut pas choisir une fenêtre avec la souris : il est impossible de savoir à quel programme elle appartient. Choisissez plutôt le programme dans la liste des programmes en cours.</translation>
    </message>
    <message>
        <source>Picking a window needs an X11 display, and none is set. Choose the program from the list of running programs instead.</source>
        <translation>Choisir une fenêtre nécessite un affichage X11, et aucun n&apos;est défini. Choisissez plutôt le programme dans la liste des programmes en cours.</translation>
    </message>
    <message>
        <source>This desktop does not tell programs when it is in use, so tasks that wait for no activity cannot run here.</source>
        <translation>Ce bureau n&apos;indique pas aux programmes quand il est utilisé : les tâches qui attendent l&apos;inactivité ne peuvent pas s&apos;exécuter ici.</translation>
    </message>
    <message>
        <source>The mouse pointer cannot be read, so tasks that wait for no activity cannot run.</source>
        <translation>La position du pointeur de la souris ne peut pas être lue : les tâches qui attendent l&apos;inactivité ne peuvent pas s&apos;exécuter.</translation>
    </message>
    <message>
        <source>Activity cannot be seen on this desktop.</source>
        <translation>L&apos;activité n&apos;est pas visible sur ce bureau.</translation>
    </message>
    <message>
        <source>Picking a window needs the X11 display &quot;%1&quot;, which cannot be opened. Choose the program from the list of running programs instead.</source>
        <translation>Choisir une fenêtre nécessite l&apos;affichage X11 « %1 », qui ne peut pas être ouvert. Choisissez plutôt le programme dans la liste des programmes en cours.</translation>
    </message>
    <message>
        <source>The X display &quot;%1&quot; cannot be opened, so the mouse cannot be watched and tasks that wait for no activity cannot run.</source>
        <translation>L&apos;affichage X « %1 » ne peut pas être ouvert : la souris ne peut pas être surveillée et les tâches qui attendent l&apos;inactivité ne peuvent pas s&apos;exécuter.</translation>
    </message>
    <message>
        <source>Idleness can no longer be seen: %1.</source>
        <translation>L&apos;inactivité n&apos;est plus visible : %1.</translation>
    </message>
    <message>
        <source>GNOME&apos;s idle monitor does not answer: %1</source>
        <translation>Le moniteur d&apos;inactivité de GNOME ne répond pas : %1</translation>
    </message>
    <message>
        <source>The network and processor counters cannot be read here.</source>
        <translation>Les compteurs du réseau et du processeur ne peuvent pas être lus ici.</translation>
    </message>
    <message>
        <source>%1 is not running: the task waits for it to start and end.</source>
        <translation>%1 n&apos;est pas en cours d&apos;exécution : la tâche attend qu&apos;il démarre puis se termine.</translation>
    </message>
    <message>
        <source>this computer cannot hibernate</source>
        <translation>cet ordinateur ne peut pas se mettre en veille prolongée</translation>
    </message>
    <message>
        <source>hibernation is turned off on this computer</source>
        <translation>la veille prolongée est désactivée sur cet ordinateur</translation>
    </message>
</context>
<context>
    <name>morvane::CommandBar</name>
    <message>
        <source>Add a Task</source>
        <translation>Ajouter une tâche</translation>
    </message>
    <message>
        <source>Add a new task</source>
        <translation>Ajouter une nouvelle tâche</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Delete selected task</source>
        <translation>Supprimer la tâche sélectionnée</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Tout supprimer</translation>
    </message>
    <message>
        <source>Remove all tasks in the list</source>
        <translation>Supprimer toutes les tâches de la liste</translation>
    </message>
    <message>
        <source>Save Tasks</source>
        <translation>Enregistrer les tâches</translation>
    </message>
    <message>
        <source>Save the task list to a file</source>
        <translation>Enregistrer la liste des tâches dans un fichier</translation>
    </message>
    <message>
        <source>Load Tasks</source>
        <translation>Charger des tâches</translation>
    </message>
    <message>
        <source>Load the task list from a file</source>
        <translation>Charger la liste des tâches depuis un fichier</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Set the action after finish all tasks</source>
        <translation>Choisir l&apos;action une fois toutes les tâches terminées</translation>
    </message>
    <message>
        <source>How to Use</source>
        <translation>Mode d&apos;emploi</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Quit the Morvane program</source>
        <translation>Quitter le programme Morvane</translation>
    </message>
</context>
<context>
    <name>morvane::HistoryWindow</name>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Close %1</source>
        <translation>Fermer %1</translation>
    </message>
    <message>
        <source>Run %1</source>
        <translation>Lancer %1</translation>
    </message>
    <message numerus="yes">
        <source>closed %n process(es)</source>
        <translation>
            <numerusform>%n processus fermé</numerusform>
            <numerusform>%n processus fermés</numerusform>
        </translation>
    </message>
    <message>
        <source>nothing to close</source>
        <translation>rien à fermer</translation>
    </message>
    <message>
        <source>started</source>
        <translation>lancé</translation>
    </message>
    <message>
        <source>could not start: %1</source>
        <translation>lancement impossible : %1</translation>
    </message>
    <message>
        <source>request sent</source>
        <translation>demande envoyée</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>refusé : %1</translation>
    </message>
    <message>
        <source>cancelled in the warning</source>
        <translation>annulé depuis l&apos;avertissement</translation>
    </message>
    <message>
        <source>put off by 10 minutes</source>
        <translation>reporté de 10 minutes</translation>
    </message>
    <message>
        <source>Save the settings</source>
        <translation>Enregistrer les réglages</translation>
    </message>
    <message>
        <source>Save the tasks</source>
        <translation>Enregistrer les tâches</translation>
    </message>
    <message>
        <source>no answer yet: it may still happen</source>
        <translation>pas encore de réponse : cela peut encore arriver</translation>
    </message>
    <message>
        <source>carried out late</source>
        <translation>effectué en retard</translation>
    </message>
    <message>
        <source>could not be written: %1</source>
        <translation>n&apos;a pas pu être écrit : %1</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>Ajout de %1</translation>
    </message>
    <message>
        <source>Load Tasks from %1</source>
        <translation>Chargement des tâches de %1</translation>
    </message>
    <message>
        <source>added from the command line</source>
        <translation>ajoutée depuis la ligne de commande</translation>
    </message>
    <message>
        <source>added in the task editor</source>
        <translation>ajoutée dans l&apos;éditeur de tâches</translation>
    </message>
    <message numerus="yes">
        <source>%n task(s) added from the file</source>
        <translation>
            <numerusform>%n tâche ajoutée depuis le fichier</numerusform>
            <numerusform>%n tâches ajoutées depuis le fichier</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>asked %n process(es)</source>
        <translation>
            <numerusform>%n processus sollicité</numerusform>
            <numerusform>%n processus sollicités</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n closed</source>
        <translation>
            <numerusform>%n fermé</numerusform>
            <numerusform>%n fermés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n forced after %1 s</source>
        <translation>
            <numerusform>%n forcé après %1 s</numerusform>
            <numerusform>%n forcés après %1 s</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n had no window</source>
        <translation>
            <numerusform>%n sans fenêtre</numerusform>
            <numerusform>%n sans fenêtre</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left running: the task was changed or removed</source>
        <translation>
            <numerusform>%n laissé en marche : la tâche a été modifiée ou supprimée</numerusform>
            <numerusform>%n laissés en marche : la tâche a été modifiée ou supprimée</numerusform>
        </translation>
    </message>
    <message>
        <source>not closed: the program runs with administrator rights</source>
        <translation>non fermé : le programme s&apos;exécute avec les droits d&apos;administrateur</translation>
    </message>
    <message>
        <source>not closed: it belongs to another user&apos;s session</source>
        <translation>non fermé : il appartient à la session d&apos;un autre utilisateur</translation>
    </message>
</context>
<context>
    <name>morvane::LastMinuteScreen</name>
    <message>
        <source>Morvane: last minute</source>
        <translation>Morvane : dernière minute</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Do it now</source>
        <translation>Agir maintenant</translation>
    </message>
    <message>
        <source>Esc or Enter cancels.</source>
        <translation>Échap ou Entrée annule.</translation>
    </message>
</context>
<context>
    <name>morvane::MainMenus</name>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Auto Start on Windows Booting</source>
        <translation>Démarrer automatiquement avec Windows</translation>
    </message>
    <message>
        <source>Auto Load the Task List</source>
        <translation>Charger automatiquement la liste des tâches</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais (English)</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>Polish</source>
        <translation>Polonais (Polski)</translation>
    </message>
    <message>
        <source>Auto Start at Logon</source>
        <translation>Démarrer automatiquement à l&apos;ouverture de session</translation>
    </message>
</context>
<context>
    <name>morvane::MainWindow</name>
    <message numerus="yes">
        <source>%n line(s) of %1 are not tasks and were skipped.</source>
        <translation>
            <numerusform>%n ligne de %1 n&apos;est pas une tâche et a été ignorée.</numerusform>
            <numerusform>%n lignes de %1 ne sont pas des tâches et ont été ignorées.</numerusform>
        </translation>
    </message>
    <message>
        <source>Morvane tutorial</source>
        <translation>Didacticiel de Morvane</translation>
    </message>
    <message>
        <source>Morvane Task File</source>
        <translation>Fichier de tâches Morvane</translation>
    </message>
    <message>
        <source>The task list could not be saved to %1.

%2</source>
        <translation>La liste des tâches n&apos;a pas pu être enregistrée dans %1.

%2</translation>
    </message>
    <message>
        <source>Morvane %1: closes programs, starts programs and turns off the computer on your schedule. Copyright %2</source>
        <translation>Morvane %1 : ferme des programmes, lance des programmes et éteint l&apos;ordinateur selon votre planning. Copyright %2</translation>
    </message>
    <message>
        <source>Task List</source>
        <translation>Liste des tâches</translation>
    </message>
    <message>
        <source>The scheduled tasks. Delete removes the selected task.</source>
        <translation>Les tâches planifiées. La touche Suppr supprime la tâche sélectionnée.</translation>
    </message>
    <message>
        <source>How to use Morvane</source>
        <translation>Comment utiliser Morvane</translation>
    </message>
    <message>
        <source>Four steps to your first task. 1: click the Add a Task button to open the Add a Task window. 2: select a running program from the list, or drag the picker icon onto a running program&apos;s window. 3: set the close time: after an interval, at a date and time, or when the mouse rests. 4: click the Add button to add the task to the task list.</source>
        <translation>Quatre étapes pour votre première tâche. 1 : cliquez sur le bouton Ajouter une tâche pour ouvrir la fenêtre Ajouter une tâche. 2 : choisissez un programme en cours dans la liste, ou faites glisser l&apos;icône de sélection sur la fenêtre d&apos;un programme en cours. 3 : réglez l&apos;heure de fermeture : après un délai, à une date et une heure, ou quand la souris reste immobile. 4 : cliquez sur le bouton Ajouter pour ajouter la tâche à la liste des tâches.</translation>
    </message>
</context>
<context>
    <name>morvane::PreferenceActions</name>
    <message>
        <source>Warn before acting</source>
        <translation>Avertir avant d&apos;agir</translation>
    </message>
    <message>
        <source>Warning lead time...</source>
        <translation>Délai d&apos;avertissement...</translation>
    </message>
    <message>
        <source>Notify before power actions</source>
        <translation>Notifier avant d&apos;éteindre, de redémarrer, etc.</translation>
    </message>
    <message>
        <source>Notify when a task fails</source>
        <translation>Notifier quand une tâche échoue</translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation>Rester dans la zone de notification quand la fenêtre est fermée</translation>
    </message>
    <message>
        <source>Warning lead time</source>
        <translation>Délai d&apos;avertissement</translation>
    </message>
    <message>
        <source>Seconds the warning waits before acting (%1 to %2):</source>
        <translation>Secondes d&apos;attente de l&apos;avertissement avant d&apos;agir (de %1 à %2) :</translation>
    </message>
    <message>
        <source>Sound with the warning</source>
        <translation>Son avec l&apos;avertissement</translation>
    </message>
    <message>
        <source>Full-screen last minute before power actions</source>
        <translation>Dernière minute en plein écran avant une action d&apos;alimentation</translation>
    </message>
    <message>
        <source>Close programs gently by default</source>
        <translation>Fermer les programmes en douceur par défaut</translation>
    </message>
    <message>
        <source>This desktop has no system tray: closing the window ends Morvane.</source>
        <translation>Ce bureau n&apos;a pas de zone de notification : fermer la fenêtre met fin à Morvane.</translation>
    </message>
</context>
<context>
    <name>morvane::QuitFlow</name>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Are you sure to quit?</source>
        <translation>Voulez-vous vraiment quitter ?</translation>
    </message>
    <message>
        <source>The task list is not kept: its tasks will not come back when Morvane starts again.</source>
        <translation>La liste des tâches n&apos;est pas conservée : ses tâches ne reviendront pas au prochain démarrage de Morvane.</translation>
    </message>
    <message>
        <source>Keeping them turns on Auto Load the Task List.</source>
        <translation>Les conserver active « Charger automatiquement la liste des tâches ».</translation>
    </message>
    <message>
        <source>Keep Them and Quit</source>
        <translation>Les conserver et quitter</translation>
    </message>
    <message>
        <source>Quit Anyway</source>
        <translation>Quitter quand même</translation>
    </message>
    <message>
        <source>Stay</source>
        <translation>Rester</translation>
    </message>
</context>
<context>
    <name>morvane::TaskCells</name>
    <message>
        <source>Close at the set time</source>
        <translation>Fermer à l&apos;heure choisie</translation>
    </message>
    <message>
        <source>Close in %1</source>
        <translation>Fermer dans %1</translation>
    </message>
    <message>
        <source>Close after %1 without mouse movement</source>
        <translation>Fermer après %1 sans mouvement de la souris</translation>
    </message>
    <message>
        <source>Close after %1 without input</source>
        <translation>Fermer après %1 sans aucune saisie</translation>
    </message>
    <message>
        <source>Close when %1 exits</source>
        <translation>Fermer quand %1 se termine</translation>
    </message>
    <message>
        <source>Close when every %1 has exited</source>
        <translation>Fermer quand tous les %1 se sont terminés</translation>
    </message>
    <message>
        <source>Close when the network is quiet</source>
        <translation>Fermer quand le réseau est calme</translation>
    </message>
    <message>
        <source>Close when the processor is quiet</source>
        <translation>Fermer quand le processeur est calme</translation>
    </message>
    <message>
        <source>Run at the set time</source>
        <translation>Lancer à l&apos;heure choisie</translation>
    </message>
    <message>
        <source>Run in %1</source>
        <translation>Lancer dans %1</translation>
    </message>
    <message>
        <source>Run after %1 without mouse movement</source>
        <translation>Lancer après %1 sans mouvement de la souris</translation>
    </message>
    <message>
        <source>Run after %1 without input</source>
        <translation>Lancer après %1 sans aucune saisie</translation>
    </message>
    <message>
        <source>Run when %1 exits</source>
        <translation>Lancer quand %1 se termine</translation>
    </message>
    <message>
        <source>Run when every %1 has exited</source>
        <translation>Lancer quand tous les %1 se sont terminés</translation>
    </message>
    <message>
        <source>Run when the network is quiet</source>
        <translation>Lancer quand le réseau est calme</translation>
    </message>
    <message>
        <source>Run when the processor is quiet</source>
        <translation>Lancer quand le processeur est calme</translation>
    </message>
    <message>
        <source>At the set time</source>
        <translation>À l&apos;heure choisie</translation>
    </message>
    <message>
        <source>In %1</source>
        <translation>Dans %1</translation>
    </message>
    <message>
        <source>After %1 without mouse movement</source>
        <translation>Après %1 sans mouvement de la souris</translation>
    </message>
    <message>
        <source>After %1 without input</source>
        <translation>Après %1 sans aucune saisie</translation>
    </message>
    <message>
        <source>When %1 exits</source>
        <translation>Quand %1 se termine</translation>
    </message>
    <message>
        <source>When every %1 has exited</source>
        <translation>Quand tous les %1 se sont terminés</translation>
    </message>
    <message>
        <source>When the network is quiet</source>
        <translation>Quand le réseau est calme</translation>
    </message>
    <message>
        <source>When the processor is quiet</source>
        <translation>Quand le processeur est calme</translation>
    </message>
    <message>
        <source>%1, asking first (%2 s)</source>
        <translation>%1, en demandant d&apos;abord (%2 s)</translation>
    </message>
    <message>
        <source>once</source>
        <translation>une fois</translation>
    </message>
    <message>
        <source>every month</source>
        <translation>chaque mois</translation>
    </message>
    <message>
        <source>every day</source>
        <translation>chaque jour</translation>
    </message>
    <message>
        <source>every hour</source>
        <translation>chaque heure</translation>
    </message>
    <message>
        <source>every minute</source>
        <translation>chaque minute</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>rien</translation>
    </message>
    <message>
        <source>quit Morvane</source>
        <translation>quitter Morvane</translation>
    </message>
    <message>
        <source>%1, then quit Morvane</source>
        <translation>%1, puis quitter Morvane</translation>
    </message>
</context>
<context>
    <name>morvane::TaskEditor</name>
    <message>
        <source>Time Already Passed</source>
        <translation>Heure déjà passée</translation>
    </message>
    <message>
        <source>The chosen time, %1, is not in the future, so the task will run as soon as it is added.
Add it anyway?</source>
        <translation>L&apos;heure choisie, %1, n&apos;est pas dans le futur : la tâche s&apos;exécutera dès qu&apos;elle sera ajoutée.
L&apos;ajouter quand même ?</translation>
    </message>
    <message>
        <source>Pick a Window</source>
        <translation>Choisir une fenêtre</translation>
    </message>
    <message>
        <source>No window of another program was under the pointer. Point at the program&apos;s window within three seconds of pressing the button.</source>
        <translation>Aucune fenêtre d&apos;un autre programme ne se trouvait sous le pointeur. Placez le pointeur sur la fenêtre du programme dans les trois secondes qui suivent l&apos;appui sur le bouton.</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Vide</translation>
    </message>
    <message>
        <source>The command line cannot be empty.</source>
        <translation>La ligne de commande ne peut pas être vide.</translation>
    </message>
    <message>
        <source>The command line cannot contain a tab or a line break: a task keeps its texts separated by tabs. Please remove them.</source>
        <translation>La ligne de commande ne peut contenir ni tabulation ni saut de ligne : une tâche sépare ses textes par des tabulations. Veuillez les retirer.</translation>
    </message>
    <message>
        <source>The date %1 does not exist. Please choose a day the month has.</source>
        <translation>La date %1 n&apos;existe pas. Veuillez choisir un jour que ce mois comporte.</translation>
    </message>
    <message>
        <source>Programs</source>
        <translation>Programmes</translation>
    </message>
    <message>
        <source>The task was run or removed while it was being edited, so it was not saved.</source>
        <translation>La tâche a été exécutée ou supprimée pendant sa modification : elle n&apos;a pas été enregistrée.</translation>
    </message>
    <message>
        <source>Edit a Task</source>
        <translation>Modifier une tâche</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Choose the program to wait for: pick its window or choose it in the list.</source>
        <translation>Choisissez le programme à attendre : désignez sa fenêtre ou choisissez-le dans la liste.</translation>
    </message>
    <message>
        <source>%1. Choose a running program to wait for.</source>
        <translation>%1. Choisissez un programme en cours à attendre.</translation>
    </message>
    <message>
        <source>Waits Behind a Repeating Task</source>
        <translation>Attend derrière une tâche répétée</translation>
    </message>
    <message>
        <source>This task&apos;s action waits until every other task has finished, but a task in the list repeats and never finishes, so the action will not happen while that task stays.
Add it anyway?</source>
        <translation>L&apos;action de cette tâche attend la fin de toutes les autres tâches, mais une tâche de la liste se répète et ne finit jamais : l&apos;action n&apos;aura pas lieu tant que cette tâche reste.
L&apos;ajouter quand même ?</translation>
    </message>
    <message>
        <source>Program Not Found</source>
        <translation>Programme introuvable</translation>
    </message>
    <message>
        <source>The program of this command line cannot be found (%1).
Add it anyway?</source>
        <translation>Le programme de cette ligne de commande est introuvable (%1).
L&apos;ajouter quand même ?</translation>
    </message>
</context>
<context>
    <name>morvane::TaskEditorForm</name>
    <message>
        <source>Add a Task</source>
        <translation>Ajouter une tâche</translation>
    </message>
    <message>
        <source>Pick the window under the pointer in 3 s</source>
        <translation>Choisir la fenêtre sous le pointeur dans 3 s</translation>
    </message>
    <message>
        <source>Press, then point at a program&apos;s window within three seconds: the window under the pointer is picked.</source>
        <translation>Appuyez, puis placez le pointeur sur la fenêtre d&apos;un programme dans les trois secondes : la fenêtre sous le pointeur est choisie.</translation>
    </message>
    <message>
        <source>Target picker</source>
        <translation>Sélecteur de cible</translation>
    </message>
    <message>
        <source>Drag it onto a program&apos;s window to pick that program, or use the button that picks the window under the pointer in 3 seconds.</source>
        <translation>Faites-le glisser sur la fenêtre d&apos;un programme pour choisir ce programme, ou utilisez le bouton qui choisit la fenêtre sous le pointeur au bout de 3 secondes.</translation>
    </message>
    <message>
        <source>Picture of the chosen program</source>
        <translation>Image du programme choisi</translation>
    </message>
    <message>
        <source>Refresh The List</source>
        <translation>Actualiser la liste</translation>
    </message>
    <message>
        <source>Close the Selected Program Now</source>
        <translation>Fermer maintenant le programme sélectionné</translation>
    </message>
    <message>
        <source>Running programs</source>
        <translation>Programmes en cours</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>Auto Type:</source>
        <translation>Type de tâche :</translation>
    </message>
    <message>
        <source>Auto Close Task - Close a program at a specific time</source>
        <translation>Tâche de fermeture - Fermer un programme à un moment donné</translation>
    </message>
    <message>
        <source>Auto Run Task - Run a Program at a specific time</source>
        <translation>Tâche de lancement - Lancer un programme à un moment donné</translation>
    </message>
    <message>
        <source>Command line:</source>
        <translation>Ligne de commande :</translation>
    </message>
    <message>
        <source>Select a Program</source>
        <translation>Choisir un programme</translation>
    </message>
    <message>
        <source>Loop:</source>
        <translation>Répétition :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Chaque mois</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Chaque jour</translation>
    </message>
    <message>
        <source>Every Hour</source>
        <translation>Chaque heure</translation>
    </message>
    <message>
        <source>Every Minute</source>
        <translation>Chaque minute</translation>
    </message>
    <message>
        <source>1(Jan)</source>
        <translation>1(janv.)</translation>
    </message>
    <message>
        <source>2(Feb)</source>
        <translation>2(févr.)</translation>
    </message>
    <message>
        <source>3(Mar)</source>
        <translation>3(mars)</translation>
    </message>
    <message>
        <source>4(Apr)</source>
        <translation>4(avr.)</translation>
    </message>
    <message>
        <source>5(May)</source>
        <translation>5(mai)</translation>
    </message>
    <message>
        <source>6(Jun)</source>
        <translation>6(juin)</translation>
    </message>
    <message>
        <source>7(Jul)</source>
        <translation>7(juil.)</translation>
    </message>
    <message>
        <source>8(Aug)</source>
        <translation>8(août)</translation>
    </message>
    <message>
        <source>9(Sep)</source>
        <translation>9(sept.)</translation>
    </message>
    <message>
        <source>10(Oct)</source>
        <translation>10(oct.)</translation>
    </message>
    <message>
        <source>11(Nov)</source>
        <translation>11(nov.)</translation>
    </message>
    <message>
        <source>12(Dec)</source>
        <translation>12(déc.)</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Jours</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Heures</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minutes</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Secondes</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mois</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Seconde</translation>
    </message>
    <message>
        <source>Close gently, force after</source>
        <translation>Fermer en douceur, forcer après</translation>
    </message>
    <message>
        <source>Ask the program to close first, as its close button would, and end it by force only if it still runs after these seconds.</source>
        <translation>Demander d&apos;abord au programme de se fermer, comme son bouton de fermeture, et ne le terminer de force que s&apos;il tourne encore après ces secondes.</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Seconds before the program is forced to close</source>
        <translation>Secondes avant la fermeture forcée du programme</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quand</translation>
    </message>
    <message>
        <source>a program exits</source>
        <translation>un programme se termine</translation>
    </message>
    <message>
        <source>the network goes quiet</source>
        <translation>le réseau devient calme</translation>
    </message>
    <message>
        <source>the processor goes quiet</source>
        <translation>le processeur devient calme</translation>
    </message>
    <message>
        <source>What the task waits for</source>
        <translation>Ce que la tâche attend</translation>
    </message>
    <message>
        <source>Program to wait for</source>
        <translation>Programme à attendre</translation>
    </message>
    <message>
        <source>The program whose end the task waits for</source>
        <translation>Le programme dont la tâche attend la fin</translation>
    </message>
    <message>
        <source>for</source>
        <translation>pendant</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Minutes it must stay quiet</source>
        <translation>Minutes de calme nécessaires</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>Processor use below, in percent</source>
        <translation>Utilisation du processeur inférieure à, en pourcentage</translation>
    </message>
    <message>
        <source> KiB/s</source>
        <translation> Kio/s</translation>
    </message>
    <message>
        <source>Network traffic below, in KiB/s</source>
        <translation>Trafic réseau inférieur à, en Kio/s</translation>
    </message>
    <message>
        <source>every process</source>
        <translation>tous les processus</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>processus %1</translation>
    </message>
    <message>
        <source>Pick the program to wait for above</source>
        <translation>Choisissez ci-dessus le programme à attendre</translation>
    </message>
    <message>
        <source>Waits for: %1 (%2)</source>
        <translation>Attend : %1 (%2)</translation>
    </message>
    <message>
        <source>Picking the window under the pointer in %1 s</source>
        <translation>Choix de la fenêtre sous le pointeur dans %1 s</translation>
    </message>
    <message>
        <source>After No Input</source>
        <translation>Après aucune saisie</translation>
    </message>
    <message>
        <source>After No Mouse Moving</source>
        <translation>Après aucun mouvement de la souris</translation>
    </message>
</context>
<context>
    <name>morvane::TaskTableModel</name>
    <message>
        <source>%1

Last run failed: %2</source>
        <translation>%1

Échec de la dernière exécution : %2</translation>
    </message>
    <message>
        <source>Waits: activity cannot be seen here</source>
        <translation>En attente : l&apos;activité n&apos;est pas visible ici</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Close Time</source>
        <translation>Heure de fermeture</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Répétition</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>After the Task Finished</source>
        <translation>Après la tâche</translation>
    </message>
    <message>
        <source>%1 (may not happen)</source>
        <translation>%1 (peut ne jamais arriver)</translation>
    </message>
    <message>
        <source>%1 (waits behind a repeating task)</source>
        <translation>%1 (attend derrière une tâche répétée)</translation>
    </message>
    <message>
        <source>Its action waits until every other task has finished, and a task that repeats never finishes: remove the repeating task or the action will not happen.</source>
        <translation>Son action attend la fin de toutes les autres tâches, et une tâche répétée ne finit jamais : supprimez la tâche répétée, sinon l&apos;action n&apos;aura pas lieu.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
</context>
<context>
    <name>morvane::TrayIcon</name>
    <message>
        <source>Show Morvane</source>
        <translation>Afficher Morvane</translation>
    </message>
</context>
<context>
    <name>morvane::TutorialPages</name>
    <message>
        <source>Morvane tutorial</source>
        <translation>Didacticiel de Morvane</translation>
    </message>
    <message>
        <source>How to Use</source>
        <translation>Mode d&apos;emploi</translation>
    </message>
    <message>
        <source>No web browser could open the tutorial. It is here:

%1</source>
        <translation>Aucun navigateur web n&apos;a pu ouvrir le didacticiel. Il se trouve ici :

%1</translation>
    </message>
    <message>
        <source>The tutorial is missing. It belongs here:

%1</source>
        <translation>Le didacticiel est introuvable. Il devrait se trouver ici :

%1</translation>
    </message>
</context>
<context>
    <name>morvane::WarningNotice</name>
    <message>
        <source>Morvane: about to act</source>
        <translation>Morvane : action imminente</translation>
    </message>
    <message>
        <source>Do it now</source>
        <translation>Agir maintenant</translation>
    </message>
    <message>
        <source>Snooze 10 min</source>
        <translation>Reporter de 10 min</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Morvane will close %1, then %2.</source>
        <translation>Morvane va fermer %1, puis %2.</translation>
    </message>
    <message>
        <source>Morvane will close %1.</source>
        <translation>Morvane va fermer %1.</translation>
    </message>
    <message>
        <source>Morvane will %1.</source>
        <translation>Morvane va %1.</translation>
    </message>
    <message>
        <source>All tasks have finished. %1</source>
        <translation>Toutes les tâches sont terminées. %1</translation>
    </message>
    <message>
        <source>Morvane then quits.</source>
        <translation>Morvane se fermera ensuite.</translation>
    </message>
    <message>
        <source>In %1</source>
        <translation>Dans %1</translation>
    </message>
</context>
<context>
    <name>morvane::WindowPickDrag</name>
    <message>
        <source>Picking a window is not available here. Choose the program from the list of running programs instead.</source>
        <translation>Le choix d&apos;une fenêtre n&apos;est pas disponible ici. Choisissez plutôt le programme dans la liste des programmes en cours.</translation>
    </message>
</context>
</TS>
