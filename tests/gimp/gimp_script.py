"""What the GIMP tests share: the procedures' arguments in Script-Fu, made
from what `dapple params --json` lists, and running a program."""
import os
import shutil
import subprocess

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


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


def prepare_gimp(build, work, sessionrc=''):
    """A fresh WORK with its own home (the user's named settings) and GIMP
    profile, the plug-in of BUILD installed there as `make install-gimp`
    installs it (it finds its content and settings beside itself), and the
    photograph the tests use. Returns the environment and the photograph."""
    shutil.rmtree(work, ignore_errors=True)
    photos = run([os.path.join(SOURCE, 'scripts/fetch-photographs.sh')], cwd=SOURCE, check=True).stdout.strip()
    photo = os.path.join(SOURCE, photos, 'chelsea.png')
    env = {name: value for name, value in os.environ.items()
           if name not in ('DAPPLE_DATA', 'XDG_CONFIG_HOME', 'XDG_DATA_HOME')}
    env.update(HOME=os.path.join(work, 'home'), GIMP2_DIRECTORY=os.path.join(work, 'profile'))
    os.makedirs(env['HOME'])
    os.makedirs(env['GIMP2_DIRECTORY'])
    if sessionrc:
        with open(os.path.join(env['GIMP2_DIRECTORY'], 'sessionrc'), 'w') as session:
            session.write(sessionrc)
    run([os.path.join(SOURCE, 'scripts/install-gimp.sh'), build], env=env, check=True)
    return env, photo
