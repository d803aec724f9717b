<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>morvane::TaskEditor</name>
    <message>
        <source>Time Already Passed</source>
        <translation>Heure déjà passée</translation>
    </message>
    <message>
        <source>The chosen time, %1, is not in the future, so the task will run as soon as it is added.
Add it anyway?</source>
        <translation>L'heure choisie, %1, n'est pas dans le futur : la tâche s'exécutera dès qu'elle sera ajoutée.
L'ajouter quand même ?</translation>
    </message>
</context>
</TS>
