<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>morvane::MainWindow</name>
    <message numerus="yes">
        <source>%n line(s) of %1 are not tasks and were skipped.</source>
        <translation>
            <numerusform>%n wiersz pliku %1 nie jest zadaniem i został pominięty.</numerusform>
            <numerusform>%n wiersze pliku %1 nie są zadaniami i zostały pominięte.</numerusform>
            <numerusform>%n wierszy pliku %1 nie jest zadaniami i zostało pominiętych.</numerusform>
        </translation>
    </message>
</context>
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
<context>
    <name>morvane::TaskTableModel</name>
    <message>
        <source>%1

Last run failed: %2</source>
        <translation>%1

Ostatnie uruchomienie nie powiodło się: %2</translation>
    </message>
    <message>
        <source>Waits: activity cannot be seen here</source>
        <translation>Czeka: tu nie widać aktywności</translation>
    </message>
</context>
</TS>
