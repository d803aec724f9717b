<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>morvane::TaskEditor</name>
    <message>
        <source>Time Already Passed</source>
        <translation>Czas już minął</translation>
    </message>
    <message>
        <source>The chosen time, %1, is not in the future, so the task will run as soon as it is added.
Add it anyway?</source>
        <translation>Wybrany czas, %1, nie leży w przyszłości, więc zadanie zostanie wykonane zaraz po dodaniu.
Czy mimo to je dodać?</translation>
    </message>
</context>
</TS>
