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
    <message numerus="yes">
        <source>asked %n process(es)</source>
        <translation>
            <numerusform>asked %n process</numerusform>
            <numerusform>asked %n processes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n closed</source>
        <translation>
            <numerusform>%n closed</numerusform>
            <numerusform>%n closed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n forced after %1 s</source>
        <translation>
            <numerusform>%n forced after %1 s</numerusform>
            <numerusform>%n forced after %1 s</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n had no window</source>
        <translation>
            <numerusform>%n had no window</numerusform>
            <numerusform>%n had no window</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n left running: the task was changed or removed</source>
        <translation>
            <numerusform>%n left running: the task was changed or removed</numerusform>
            <numerusform>%n left running: the task was changed or removed</numerusform>
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
