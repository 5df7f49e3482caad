<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>History</name>
    <message>
        <source>Score</source>
        <translation>Счёт</translation>
    </message>
    <message>
        <source>Economy</source>
        <translation>Экономика</translation>
    </message>
    <message>
        <source>Industry</source>
        <translation>Производство</translation>
    </message>
    <message>
        <source>Agriculture</source>
        <translation>Сельское хозяйство</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Мощь</translation>
    </message>
    <message>
        <source>Culture</source>
        <translation>Культура</translation>
    </message>
    <message>
        <source>Science</source>
        <translation>Наука</translation>
    </message>
</context>
<context>
    <name>HtmlPage</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Tournament start date</source>
        <translation>Дата начала турнира</translation>
    </message>
    <message>
        <source>Maximum sessions per day</source>
        <translation>Макс. число сессий в день</translation>
    </message>
    <message>
        <source>Minimum session time (minutes)</source>
        <translation>Мин. время сессии (минут)</translation>
    </message>
    <message>
        <source>Presessions</source>
        <translation>Пресессии</translation>
    </message>
    <message>
        <source>Base level</source>
        <translation>Базовый уровень</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>Level bonus (%)</source>
        <translation>Бонус за уровень (%)</translation>
    </message>
    <message>
        <source>Maximum reloads</source>
        <translation>Макс. число перезагрузок</translation>
    </message>
    <message>
        <source>Ladder</source>
        <translation>Ладдер</translation>
    </message>
    <message>
        <source>Factor</source>
        <translation>Коэффициент</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <source>Cheat</source>
        <translation>Нечестно</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>На грани</translation>
    </message>
    <message>
        <source>Fair</source>
        <translation>Честно</translation>
    </message>
    <message>
        <source>Standings</source>
        <translation>Турнирная таблица</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Место</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Игрок</translation>
    </message>
    <message>
        <source>Leader, civilization</source>
        <translation>Лидер, цивилизация</translation>
    </message>
    <message>
        <source>Turn</source>
        <translation>Ход</translation>
    </message>
    <message>
        <source>Final</source>
        <translation>Итог</translation>
    </message>
    <message>
        <source>Of the best</source>
        <translation>От лучшего</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Вердикт</translation>
    </message>
    <message>
        <source>History</source>
        <translation>История</translation>
    </message>
    <message>
        <source>%1 history</source>
        <translation>%1 по ходам</translation>
    </message>
    <message>
        <source>Tournament standings</source>
        <translation>Итоги турнира</translation>
    </message>
    <message>
        <source>Saves: %1. Written %2.</source>
        <translation>Сохранений: %1. Составлено %2.</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Основное</translation>
    </message>
    <message>
        <source>Reloads</source>
        <translation>Перезагрузки</translation>
    </message>
    <message>
        <source>Additional</source>
        <translation>Дополнительно</translation>
    </message>
    <message>
        <source>Places by Final, the Ladder score. Of the best: the Final as a percentage of the best one. Verdict: from the reload audit.</source>
        <translation>Места — по итоговым очкам Ладдера («Итог»). «От лучшего» — итог в процентах от лучшего. «Вердикт» — по проверке перезагрузок.</translation>
    </message>
</context>
<context>
    <name>ProgramTexts</name>
    <message>
        <source>en</source>
        <comment>the code of this translation&apos;s language</comment>
        <translation>ru</translation>
    </message>
</context>
</TS>
