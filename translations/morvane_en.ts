<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>NotificationSender</name>
    <message numerus="yes">
        <source>%1 in %n minute(s).</source>
        <translation>
            <numerusform>%1 in %n minute.</numerusform>
            <numerusform>%1 in %n minutes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>morvane::HistoryWindow</name>
    <message numerus="yes">
        <source>closed %n process(es)</source>
        <translation>
            <numerusform>closed %n process</numerusform>
            <numerusform>closed %n processes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n task(s) added from the file</source>
        <translation>
            <numerusform>%n task added from the file</numerusform>
            <numerusform>%n tasks added from the file</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>morvane::MainWindow</name>
    <message numerus="yes">
        <source>%n line(s) of %1 are not tasks and were skipped.</source>
        <translation>
            <numerusform>%n line of %1 is not a task and was skipped.</numerusform>
            <numerusform>%n lines of %1 are not tasks and were skipped.</numerusform>
        </translation>
    </message>
</context>
</TS>
