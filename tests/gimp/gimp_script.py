"""What the GIMP tests share: the procedures' arguments in Script-Fu, made
from what `dapple params --json` lists, and running a program."""
import subprocess


def procedure_name(effect):
    words = ''.join('-' + c.lower() if c.isupper() and i > 0 else c.lower() for i, c in enumerate(effect))
    return 'plug-in-dapple-' + words


def scheme_string(text):
    return '"' + text.replace('\\', '\\\\').replace('"', '\\"') + '"'


def chosen_values(parameters):
    """name -> typed value: the defaults, with the first list's second
    choice and a seed of our own, so that values pass through."""
    values = {}
    list_changed = False
    for parameter in parameters:
        if 'decidedBy' in parameter:
            continue
        value = parameter['default']
        if parameter['kind'] == 'list' and not list_changed and len(parameter.get('choices', [])) > 1:
            value = parameter['choices'][1]['name']
            list_changed = True
        if parameter['kind'] == 'random seed':
            value = '4242'
        values[parameter['name']] = value
    return values


def scheme_arguments(parameters, values, replaced=None, setting=''):
    """The procedure's arguments after the drawable: the setting's name,
    then every value, typed as the procedure declares it."""
    replaced = replaced or {}
    arguments = [scheme_string(setting)]
    for parameter in parameters:
        if 'decidedBy' in parameter:
            continue
        value = replaced.get(parameter['name'], values[parameter['name']])
        if parameter['kind'] in ('number', 'angle'):
            arguments.append(repr(float(value)))
        elif parameter['kind'] in ('on or off', 'random seed'):
            arguments.append(str(int(value)))
        else:
            arguments.append(scheme_string(value))
    return ' '.join(arguments)


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)
