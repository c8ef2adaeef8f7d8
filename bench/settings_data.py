#!/usr/bin/env python3
"""The ms.ini of an office that has grown, for bench/settings.sh.

settings_data.py FILE RECORDS ACCOUNTS writes FILE with RECORDS records in
every list the settings sheet keeps (aliases, domain conversions, scanner
phrases, kept attachment types and senders, provider mailboxes, relays,
routing filters, reminders) and ACCOUNTS mailbox accounts, each in the form
the library itself writes, with CR LF line ends.
"""
import sys


def sections(records, accounts):
    yield 'domain', [('domain', 'example.org'), ('use', '1')]
    for i in range(accounts):
        name = '(Postmaster)' if i == 0 else 'User %04d' % i
        folder = 'root' if i == 0 else 'user%04d' % i
        yield 'mailbox%d' % i, [('active', '1'), ('name', name), ('address', folder),
                                ('folder', folder), ('password', 'Xq%04d' % i)]
    yield 'alias', [('map%d' % i, 'alias%d@example.org~0~user%04d@example.org' % (i, i % max(accounts, 1)))
                    for i in range(records)]
    yield 'domain-map', [('domain%d' % i, 'old%d.example.org -> example.org , all mail' % i)
                         for i in range(records)]
    yield 'snooper', [('use', '1'), ('dst', 'User 0001')] + \
        [('x%d' % i, 'Pq%dzz' % i) for i in range(records)] + [('mod', '1')]
    yield 'attach', [('type%d' % i, '*.t%d' % i) for i in range(records)] + \
        [('address%d' % i, 'sender%d@example.net' % i) for i in range(records)]
    incoming = []
    for i in range(records):
        incoming += [('node%d' % i, 'pop%d.example.net' % i), ('user%d' % i, 'box%d' % i),
                     ('password%d' % i, 'Zr%d' % i), ('port%d' % i, '110'), ('deletemail%d' % i, '1'),
                     ('extention%d' % i, '0'), ('active%d' % i, '1'), ('bypass%d' % i, '0'),
                     ('bpuser%d' % i, ''), ('tls%d' % i, '0')]
    yield 'incoming', incoming
    outgoing = []
    for i in range(records):
        outgoing += [('server%d' % i, 'smtp%d.example.net:25:::0:::' % i), ('tls%d' % i, '0')]
    yield 'outgoing', outgoing + [('use-next', '1')]
    yield 'routes', [('operation%d' % i,
                      'Filter %d~3~1~0~0~2~0~offer %d~0~0~0~~4~sales%d@example.org~0~~0~~0~~0~~' % (i, i, i))
                     for i in range(records)]
    for i in range(records):
        yield '0auto%d' % i, [('hour', '9'), ('min', '0'), ('date', '1'), ('month', str(i % 12)),
                              ('year', '2040'), ('senthour', '0'), ('sentmin', '0'), ('sentdate', '0'),
                              ('sentmonth', '0'), ('sentyear', '0'), ('totype', '1'), ('reptype', '2'),
                              ('rep1', '1'), ('rep2', str(i % 12)), ('nextdueday', '0'),
                              ('subject', 'Reminder %d' % i), ('line0', 'Line one of %d' % i),
                              ('line1', ''), ('line2', ''), ('line3', ''),
                              ('todata', 'team%d@example.org' % i), ('attachment', '')]


def main():
    path, records, accounts = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    with open(path, 'w', newline='') as out:
        for name, keys in sections(records, accounts):
            out.write('[%s]\r\n' % name)
            for key, value in keys:
                out.write('%s=%s\r\n' % (key, value))


if __name__ == '__main__':
    main()
