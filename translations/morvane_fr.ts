<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>morvane::MainWindow</name>
    <message numerus="yes">
        <source>%n line(s) of %1 are not tasks and were skipped.</source>
        <translation>
            <numerusform>%n ligne de %1 n&apos;est pas une tâche et a été ignorée.</numerusform>
            <numerusform>%n lignes de %1 ne sont pas des tâches et ont été ignorées.</numerusform>
        </translation>
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
        <translation>En attente : l'activité n'est pas visible ici</translation>
    </message>
</context>
</TS>
