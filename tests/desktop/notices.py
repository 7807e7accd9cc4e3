#!/usr/bin/python3
"""What went to the notification server, read from dbus-monitor's output (its default format):
one line per call or signal, fields separated by "|", line breaks inside a text as "\\n".

  N|replaces_id|app_name|icon|summary|body|action keys (comma-separated)|hint names=values
  C|id                      CloseNotification
  A|id|action               ActionInvoked
  T|id                      ActivationToken
  R|id                      the server's answer to a Notify: the new notification's id
"""
import re
import sys

TOP = re.compile(r'^   (\w+) ?(.*)$')


def messages(lines):
    head, body = None, []
    for line in lines:
        if re.match(r'^(method call|method return|signal|error) ', line):
            if head:
                yield head, body
            head, body = line, []
        elif head:
            body.append(line)
    if head:
        yield head, body


def top_args(body):
    """The top-level arguments: (type, text), a string's text unquoted and joined over lines."""
    args = []
    for line in body:
        m = TOP.match(line)
        if m and not line.startswith('    '):
            args.append([m.group(1), m.group(2)])
        elif args:
            args[-1][1] += '\n' + line
    out = []
    for kind, text in args:
        if kind == 'string':
            text = text[1:-1] if text.startswith('"') and text.endswith('"') else text
        out.append((kind, text))
    return out


def main():
    notify_serials = set()
    for head, body in messages(open(sys.argv[1], encoding='utf-8', errors='replace').read().splitlines()):
        member = re.search(r'member=(\w+)', head)
        member = member.group(1) if member else ''
        args = top_args(body)
        raw = '\n'.join(body)
        if head.startswith('method call') and member == 'Notify':
            serial = re.search(r' serial=(\d+)', head).group(1)
            sender = re.search(r'sender=(\S+)', head).group(1)
            notify_serials.add((sender, serial))
            # Every string of the actions array and every key=value of the hints.
            array = raw.split('array [', 1)[1] if 'array [' in raw else ''
            actions_text, _, hints_text = array.partition(']')
            actions = re.findall(r'string "([^"]*)"', actions_text)[0::2]
            hints = ['%s=%s' % (k, v.strip()) for k, v in
                     re.findall(r'string "([^"]*)"\s*\n\s*variant\s+(\w+ [^\n]*)', hints_text)]
            print('|'.join(['N', args[1][1], args[0][1], args[2][1], args[3][1],
                            args[4][1].replace('\n', '\\n'), ','.join(actions), ','.join(hints)]))
        elif head.startswith('method call') and member == 'CloseNotification':
            print('C|' + args[0][1])
        elif head.startswith('signal') and member in ('ActionInvoked', 'ActivationToken'):
            print('%s|%s%s' % (member[0], args[0][1], '|' + args[1][1] if member == 'ActionInvoked' else ''))
        elif head.startswith('method return'):
            to = re.search(r'destination=(\S+)', head)
            reply = re.search(r'reply_serial=(\d+)', head)
            if to and reply and (to.group(1), reply.group(1)) in notify_serials and args:
                print('R|' + args[0][1])


main()
